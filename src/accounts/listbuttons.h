// The buttons the chart and history screens share the shape of: the list screens' column
// (include, edit, delete; CSV, print, import, export; help and close at the bottom) and the
// editors' row (help on the left, save and cancel on the right).
#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace accounts {

class MnemonicButton;

struct ListButtonTexts
{
    QString novo; // the include button's caption
    QString csvHint, printHint, importHint, exportHint;
    int helpTag = 0;
    int topMargin = 0;
};

struct ListButtons
{
    QWidget *box = nullptr;
    QPushButton *novo, *editar, *excluir, *csv, *print, *import, *exportB, *help, *fechar;
};

// Printing waits for the reports and starts disabled; help opens the page of `helpTag`.
ListButtons makeListButtons(const ListButtonTexts &t);

struct EditorButtons
{
    QHBoxLayout *row = nullptr;
    MnemonicButton *ok, *cancel;
};

EditorButtons makeEditorButtons(int helpTag);

} // namespace accounts
