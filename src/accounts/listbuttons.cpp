#include "listbuttons.h"

#include "mnemonicbutton.h"

#include <app/helptag.h>

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace accounts {

static QPushButton *button(const QString &caption, const QString &name, const QString &hint = {})
{
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    b->setToolTip(hint);
    return b;
}

ListButtons makeListButtons(const ListButtonTexts &t)
{
    ListButtons b;
    b.novo = button(t.novo, "BtNovo");
    b.editar = button("&Editar", "BtEditar");
    b.excluir = button("E&xcluir", "BtExcluir");
    b.csv = button("Salvar CSV", "BtSaveCSV", t.csvHint);
    b.print = button("Imprimir", "BtPrint", t.printHint);
    b.print->setEnabled(false); // the reports arrive with their own issue
    b.import = button("Importar", "BtImport", t.importHint);
    b.exportB = button("Exportar", "BtExport", t.exportHint);
    b.help = button("Ajuda", "BtFinHelp");
    app::wireHelp(b.help, t.helpTag);
    b.fechar = button("Fechar", "BtFechar");

    b.box = new QWidget;
    auto *l = new QVBoxLayout(b.box);
    l->setContentsMargins(0, t.topMargin, 0, 0);
    for (QPushButton *p : {b.novo, b.editar, b.excluir})
        l->addWidget(p);
    l->addSpacing(16);
    for (QPushButton *p : {b.csv, b.print, b.import, b.exportB})
        l->addWidget(p);
    l->addStretch();
    l->addWidget(b.help);
    l->addWidget(b.fechar);
    return b;
}

EditorButtons makeEditorButtons(int helpTag)
{
    EditorButtons b;
    b.ok = new MnemonicButton("&Gravar", "BtOk");
    b.cancel = new MnemonicButton("&Cancelar", "BtCancel");
    auto *help = new MnemonicButton("Ajuda", "BtHelp");
    app::wireHelp(help, helpTag);
    b.row = new QHBoxLayout;
    b.row->addWidget(help);
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    return b;
}

} // namespace accounts
