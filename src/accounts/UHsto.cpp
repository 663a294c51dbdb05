#include "UHsto.h"

#include "UHstoEdit.h"
#include "exchangeui.h"
#include "historystore.h"
#include "listings.h"

#include "gridsetup.h"
#include "listbuttons.h"

#include <app/application.h>
#include <app/csvsave.h>
#include <app/mensagem.h>

#include <data/UDM.h>
#include <data/gridlink.h>
#include <data/tablemodel.h>
#include <reports/URM.h>

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace accounts {

TFormHsto::TFormHsto(data::TDM &dm, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_editor(new TFormHstoEdit(dm, this))
{
    setObjectName("TFormHsto");
    setWindowTitle("Histórico/Descrição Padrão");
    m_model = new data::TableModel(dm.TbHsto,
                                   {gridColumn("Codigo", "Cod", Qt::AlignRight | Qt::AlignVCenter),
                                    gridColumn("Descricao", "Descrição")},
                                   this);
    DBGrid1 = new QTableView;
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setModel(m_model);
    setUpReadOnlyGrid(DBGrid1);
    DBGrid1->setColumnWidth(0, 45);
    DBGrid1->setMinimumSize(520, 380);

    auto *outer = new QHBoxLayout(this);
    outer->addWidget(DBGrid1, 1);
    outer->addWidget(makeButtons());

    m_link = new data::GridTableLink(DBGrid1, dm.TbHsto, [] { return true; });
    connect(dm.TbHsto, &data::Table::reset, m_link, &data::GridTableLink::followTable,
            Qt::QueuedConnection);
}

TFormHsto::~TFormHsto() = default;

QWidget *TFormHsto::makeButtons()
{
    const ListButtons b = makeListButtons({"&Incluir Histórico", "Salvar Históricos em Arquivo CSV",
                                           "Imprimir Históricos", "Importar Arquivo de Históricos",
                                           "Exportar Históricos", 2036, 0});
    connect(b.novo, &QPushButton::clicked, this, &TFormHsto::BtNovoClick);
    connect(b.editar, &QPushButton::clicked, this, &TFormHsto::BtEditarClick);
    connect(b.excluir, &QPushButton::clicked, this, &TFormHsto::BtExcluirClick);
    connect(b.csv, &QPushButton::clicked, this, &TFormHsto::BtSaveCSVClick);
    connect(b.print, &QPushButton::clicked, this, &TFormHsto::BtPrintClick);
    connect(b.exportB, &QPushButton::clicked, this, &TFormHsto::BtExportClick);
    connect(b.import, &QPushButton::clicked, this, &TFormHsto::BtImportClick);
    connect(b.fechar, &QPushButton::clicked, this, &TFormHsto::accept);
    return b.box;
}

int TFormHsto::exec()
{
    app::placeDialog(this, app::mainWindow());
    m_link->followTable();
    DBGrid1->setFocus();
    return QDialog::exec();
}

// The grid's current row is the table's current record.
void TFormHsto::BtNovoClick()
{
    app::guarded([this] {
        m_editor->setWindowTitle("Incluir Novo Histórico");
        m_dm.TbHsto->append();
        m_editor->exec();
    });
    DBGrid1->setFocus();
}

void TFormHsto::BtEditarClick()
{
    app::guarded([this] {
        if (m_dm.TbHsto->isEmpty()) {
            app::Mensagem("Nenhum Histórico para Editar!", 0);
            return;
        }
        m_editor->setWindowTitle("Editar/Alterar Histórico");
        m_dm.TbHsto->edit();
        m_editor->exec();
    });
    DBGrid1->setFocus();
}

void TFormHsto::BtExcluirClick()
{
    app::guarded([this] { deleteHistory(); });
    DBGrid1->setFocus();
}

void TFormHsto::deleteHistory()
{
    data::Table *t = m_dm.TbHsto;
    if (t->isEmpty()) {
        app::Mensagem("Nenhum Histórico para Excluir!", 0);
        return;
    }
    const QString question = "Tem certeza que deseja excluir este \"Histórico\"?\r\n\r\nCódigo: " +
                             t->asString("Codigo") + "\r\n" +
                             "Descrição: " + t->asString("Descricao");
    // Entries keep their own copy of the text: nothing else changes.
    if (app::Mensagem(question, 2) == app::MsgButton::Yes)
        t->remove();
}

void TFormHsto::BtSaveCSVClick()
{
    app::guarded([this] { saveCsv(); });
    DBGrid1->setFocus();
}

void TFormHsto::saveCsv()
{
    const std::vector<HstoRow> rows = HistoryStore(m_dm).rows();
    if (rows.empty()) {
        app::Mensagem("Nenhum Histórico para\r\nsalvar em arquivo CSV!", 0);
        return;
    }
    app::saveCsvListing(this, "Hsto_Padrao.CSV", historyListing(rows, csvUserOf(m_dm)),
                        "OK. Relação de Históricos gravada no arquivo \r\n");
}

void TFormHsto::BtPrintClick()
{
    app::guarded([this] {
        // An empty report is never produced: with no history there is nothing to print.
        if (m_dm.TbHsto->isEmpty()) {
            app::Mensagem("Nenhum Histórico para imprimir!", 0);
            return;
        }
        reports::TRM rm(m_dm, this);
        rm.setDataView("DvHsto", reports::tableView(*m_dm.TbHsto));
        rm.run("RepHsto");
    });
    DBGrid1->setFocus();
}

void TFormHsto::BtExportClick()
{
    app::guarded([this] { exportHistories(this, m_dm, freshTrailerRandom()); });
    DBGrid1->setFocus();
}

void TFormHsto::BtImportClick()
{
    app::guarded([this] { importHistories(this, m_dm); });
    DBGrid1->setFocus();
}

} // namespace accounts
