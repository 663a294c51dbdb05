#include "UBensCat.h"

#include "UBensCatEdit.h"
#include "assetgrid.h"
#include "assetstore.h"
#include "categoryfile.h"
#include "listings.h"
#include "reportviews.h"

#include <accounts/exchangeui.h>
#include <accounts/gridsetup.h>
#include <accounts/listbuttons.h>
#include <accounts/listings.h>
#include <app/application.h>
#include <app/csvsave.h>
#include <app/format.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>
#include <data/gridlink.h>
#include <data/tablemodel.h>
#include <reports/URM.h>

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>

namespace assets {

static accounts::ExchangeKind categoryKind(const QString &codUsuario)
{
    return {"Quorvila Categorias de Bens (*.KCB *.kcb)",
            "KCB",
            "Exportar Categorias de Bens para o Arquivo:",
            "CategoriasDeBens" + codUsuario + ".KCB",
            "Nenhuma Categoria para Exportar!",
            "OK. Categorias de Bens exportadas para o arquivo \r\n",
            "Categorias de Bens",
            "Erro ao abrir arquivo de Categorias de Bens!\r\nEste não é um arquivo válido!",
            "Importar Categorias de Bens do arquivo\r\n%1\r\nimplica substituir as Categorias de "
            "Bens atuais!\r\n\r\nTem certeza que deseja fazer isso?",
            "Categorias de Bens importadas com sucesso!"};
}

TFormBensCat::TFormBensCat(data::TDM &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint), m_dm(dm),
      m_editor(new TFormBensCatEdit(dm, this))
{
    setObjectName("TFormBensCat");
    setWindowTitle("Categorias de Bens");
    m_model = new data::TableModel(dm.TbBensCat, categoryColumns("Cod", "Nome da Categoria"), this);
    DBGrid1 = new QTableView;
    DBGrid1->setObjectName("DBGrid1");
    setUpCategoryGrid(DBGrid1, m_model);
    DBGrid1->setColumnWidth(0, 40);
    DBGrid1->setMinimumSize(330, 360);

    const accounts::ListButtons b = accounts::makeListButtons(
        {"&Incluir Categoria", "Salvar Categorias em Arquivo CSV", "Imprimir Cateogrias",
         "Importar Categorias de Bens", "Exportar Categorias de Bens", 2020, 0});
    const auto click = [this](QPushButton *button, void (TFormBensCat::*fn)()) {
        connect(button, &QPushButton::clicked, this, [this, fn] {
            app::guarded([this, fn] { (this->*fn)(); });
            DBGrid1->setFocus();
        });
    };
    click(b.novo, &TFormBensCat::BtNovoClick);
    click(b.editar, &TFormBensCat::BtEditarClick);
    click(b.excluir, &TFormBensCat::BtExcluirClick);
    click(b.csv, &TFormBensCat::BtSaveCSVClick);
    click(b.print, &TFormBensCat::BtPrintClick);
    click(b.import, &TFormBensCat::BtImportClick);
    click(b.exportB, &TFormBensCat::BtExportClick);
    connect(b.fechar, &QPushButton::clicked, this, &QDialog::accept);

    auto *outer = new QHBoxLayout(this);
    outer->addWidget(DBGrid1, 1);
    outer->addWidget(b.box);
    m_link = new data::GridTableLink(DBGrid1, dm.TbBensCat, [] { return true; });
    connect(dm.TbBensCat, &data::Table::reset, m_link, &data::GridTableLink::followTable,
            Qt::QueuedConnection);
}

TFormBensCat::~TFormBensCat() = default;

int TFormBensCat::exec()
{
    m_dm.TbBensCat->setFilter({});
    app::placeDialog(this, app::mainWindow());
    m_link->followTable();
    DBGrid1->setFocus();
    return QDialog::exec();
}

void TFormBensCat::BtNovoClick()
{
    m_dm.TbBensCat->append();
    m_editor->run("Incluir Nova Categoria", 0, false);
}

void TFormBensCat::BtEditarClick()
{
    data::Table *t = m_dm.TbBensCat;
    if (t->isEmpty()) {
        app::Mensagem("Nenhuma Categoria para Editar!", 0);
        return;
    }
    const qint64 cod = t->asInt("CodCat");
    const bool temBens = categoryInUse(Register::of(m_dm), cod);
    t->edit();
    m_editor->run("Editar/Alterar Categoria", cod, temBens);
}

void TFormBensCat::BtExcluirClick()
{
    data::Table *t = m_dm.TbBensCat;
    if (t->isEmpty()) {
        app::Mensagem("Nenhuma Categoria para Excluir!", 0);
        return;
    }
    const qint64 cod = t->asInt("CodCat");
    if (categoryInUse(Register::of(m_dm), cod)) {
        app::Mensagem(
            "Esta Categoria não pode ser excluída\r\npois há Bens nesta categoria!\r\n\r\n"
            "Para excluí-la, seria necessário alterar\r\nantes a categoria desses Bens!",
            0);
        return;
    }
    if (app::Mensagem("Tem certeza que deseja excluir esta \"Categoria\"?\r\n\r\nCódigo: " +
                          app::formatNumber(cod, "00") + "\r\n" +
                          "Categoria: " + t->asString("NomeCat"),
                      2) == app::MsgButton::Yes)
        t->remove();
}

void TFormBensCat::BtSaveCSVClick()
{
    const std::vector<CategoryRow> rows = readCategories(Register::of(m_dm));
    if (rows.empty()) {
        app::Mensagem("Nenhuma Categoria para\r\nsalvar em arquivo CSV!", 0);
        return;
    }
    app::saveCsvListing(this, "Categorias_Bens.CSV",
                        categoryListing(rows, accounts::csvUserOf(m_dm)),
                        "OK. Categorias de Bens gravadas no arquivo \r\n");
}

void TFormBensCat::BtPrintClick()
{
    const std::vector<CategoryRow> rows = readCategories(Register::of(m_dm));
    // An empty report is never produced.
    if (rows.empty()) {
        app::Mensagem("Nenhuma Categoria para imprimir!", 0);
        return;
    }
    reports::TRM rm(m_dm, this);
    rm.setDataView("DvBensCat", categoryView(rows));
    rm.run("RepBensCat");
}

void TFormBensCat::BtExportClick()
{
    const std::vector<CategoryRow> rows = readCategories(Register::of(m_dm));
    accounts::runExport(this, categoryKind(m_dm.CodUsuario()), rows.empty(),
                        [&] { return writeCategoryFile(rows, accounts::freshTrailerRandom()); });
}

void TFormBensCat::BtImportClick()
{
    if (!m_dm.TbBens->isEmpty()) {
        app::Mensagem("Somente é possível importar as Categorias de Bens\r\nse o arquivo de Bens "
                      "estiver vazio.\r\n\r\nComo já existem Bens cadastrados para este usuário,"
                      "\r\num arquivo de Categorias de Bens não pode ser importado!",
                      0);
        return;
    }
    const accounts::ExchangeKind k = categoryKind(m_dm.CodUsuario());
    const auto file = accounts::readChosenFile(this, k);
    if (!file)
        return;
    const CategoryFileContent content = readCategoryFile(file->second);
    if (!accounts::acceptStatus(k, file->first, content.status) ||
        !accounts::confirmReplace(k, file->first))
        return;
    {
        app::WaitCursor wait;
        replaceCategories(Register::of(m_dm), content.rows);
    }
    app::Mensagem(k.imported, 0);
}

} // namespace assets
