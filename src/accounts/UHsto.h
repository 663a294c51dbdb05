// The history screen TFormHsto ("Histórico/Descrição Padrão"): the user's standard histories in
// code order, with including, editing and deleting through TFormHstoEdit, the CSV listing and
// the histories' exchange file.
#pragma once

#include <QDialog>

class QTableView;

namespace data {
class GridTableLink;
class TDM;
class TableModel;
} // namespace data

namespace accounts {

class TFormHstoEdit;

class TFormHsto : public QDialog
{
    Q_OBJECT
public:
    explicit TFormHsto(data::TDM &dm, QWidget *parent = nullptr);
    ~TFormHsto() override;

    // Shows the list modally over the main window with the grid focused.
    int exec() override;

    TFormHstoEdit *editor() const { return m_editor; }

private:
    QWidget *makeButtons();
    void BtNovoClick();
    void BtEditarClick();
    void BtExcluirClick();
    void BtSaveCSVClick();
    void BtPrintClick();
    void BtExportClick();
    void BtImportClick();
    void deleteHistory();
    void saveCsv();

    data::TDM &m_dm;
    TFormHstoEdit *m_editor;
    data::TableModel *m_model;
    QTableView *DBGrid1;
    data::GridTableLink *m_link = nullptr;
};

} // namespace accounts
