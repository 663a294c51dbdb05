#include "assetspage.h"

#include "UBensCat.h"
#include "UBensCatView.h"
#include "UBensEdit.h"
#include "UBensPesq.h"
#include "assetgrid.h"
#include "assetstore.h"
#include "listings.h"
#include "reportviews.h"
#include "valuation.h"

#include <accounts/gridsetup.h>
#include <accounts/listings.h>
#include <app/application.h>
#include <app/csvsave.h>
#include <app/dates.h>
#include <app/format.h>
#include <app/helptag.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>
#include <data/gridlink.h>
#include <data/tablemodel.h>
#include <reports/URM.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace assets {

// The asset grid's model: the table's columns, the value column titled with the period's end and
// the sorted column's title marked.
class BensModel : public data::TableModel
{
public:
    using data::TableModel::TableModel;
    QString valueTitle;
    int marked = 3;
    QVariant headerData(int s, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && s == 6)
            return valueTitle;
        if (o == Qt::Horizontal && role == Qt::BackgroundRole && s == marked)
            return QColor(0xFF, 0xFF, 0xD5);
        return data::TableModel::headerData(s, o, role);
    }
    void retitle() { Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1); }
};

static std::vector<data::TableModel::Column> assetColumns()
{
    using C = data::TableModel::Column;
    const auto code = [](const char *pattern) {
        return [pattern](const QVariant &v) {
            return v.isNull() ? QString() : app::formatNumber(v.toLongLong(), pattern);
        };
    };
    const auto money = [](const QVariant &v) {
        return v.isNull() ? QString() : app::formatMoney(app::Money::fromCentavos(v.toLongLong()));
    };
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    return {C{"Codigo", "Código", Qt::AlignCenter, code("000000")},
            C{"Descricao", "Descrição do Bem", Qt::AlignLeft | Qt::AlignVCenter, {}},
            C{"DtAquisicao", "Aquisição em", Qt::AlignCenter,
              [](const QVariant &v) {
                  return app::formatDate(v.toDate());
              }},
            C{"CodCat", "Cat", Qt::AlignCenter, code("00")},
            C{"Categoria", "Categoria", Qt::AlignLeft | Qt::AlignVCenter, {}},
            C{"VlrAquisicao", "Valor Aquisição", right, money},
            C{"ValorAtual", "Valor em", right, money}};
}

AssetsPage::AssetsPage(data::TDM &dm, std::function<std::pair<QDate, QDate>()> period,
                       const PageActions &actions, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_period(std::move(period)),
      m_values(std::make_unique<AssetValues>(Register::of(dm)))
{
    setObjectName("PanelBens");
    m_values->setEnabled(false);
    build(actions);
}

AssetsPage::~AssetsPage()
{
    disconnect(m_focusWatch);
}

static QPushButton *pageButton(QWidget *parent, const char *name, const QString &text, QRect r)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(r);
    return b;
}

void AssetsPage::build(const PageActions &a)
{
    auto *bens = pageButton(this, "BtBens", "Categorias", {4, 4, 86, 28});
    bens->setToolTip("Categorias de Bens");
    auto *bensOp = pageButton(this, "BtBensOp", "▾", {90, 4, 16, 28});
    bensOp->setAccessibleName("Mais opções de Categorias");
    auto *incluir = pageButton(this, "BtBensIncluir", "&Incluir Bem", {112, 4, 92, 28});
    auto *incluirOp = pageButton(this, "BtBensIncluirOp", "▾", {204, 4, 16, 28});
    incluirOp->setAccessibleName("Mais opções de Incluir");
    auto *editar = pageButton(this, "BtBensEditar", "&Editar ", {226, 4, 70, 28});
    auto *excluir = pageButton(this, "BtBensExcluir", "E&xcluir", {300, 4, 70, 28});
    auto *pesq = pageButton(this, "BtBensPesq", "&Pesquisar", {374, 4, 80, 28});
    LabelRecCountBens = new QLabel(this);
    LabelRecCountBens->setObjectName("LabelRecCountBens");
    LabelRecCountBens->setGeometry(460, 8, 70, 20);
    auto *help = pageButton(this, "BtBensHelp", "Ajuda", {536, 4, 80, 28});
    app::wireHelp(help, 2025);

    auto *opMenu = new QMenu(this);
    opMenu->addAction(a.ActionOqueeControleDeBens);
    opMenu->addAction(a.ActionCategorias);
    auto *incMenu = new QMenu(this);
    incMenu->addActions({a.ActionIncluirBem, a.ActionReplicarBem});
    // Each menu drops from its main button's left edge + 10, under the button.
    const auto drop = [](QMenu *m, QPushButton *main) {
        m->popup(main->mapToGlobal(QPoint(10, main->height())));
    };
    connect(bensOp, &QPushButton::clicked, this, [=] { drop(opMenu, bens); });
    connect(incluirOp, &QPushButton::clicked, this, [=] { drop(incMenu, incluir); });
    connect(bens, &QPushButton::clicked, a.ActionCategorias, &QAction::trigger);
    connect(incluir, &QPushButton::clicked, a.ActionIncluirBem, &QAction::trigger);
    connect(editar, &QPushButton::clicked, a.ActionEditarBem, &QAction::trigger);
    connect(excluir, &QPushButton::clicked, a.ActionExcluirBem, &QAction::trigger);
    connect(pesq, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtBensPesqClick(); }); });

    m_model = new BensModel(m_dm.TbBens, assetColumns(), this);
    DBGridBens = new QTableView(this);
    DBGridBens->setObjectName("DBGridBens");
    DBGridBens->setGeometry(4, 36, 612, 250);
    DBGridBens->setModel(m_model);
    setUpBandGrid(DBGridBens, [this](int row) -> qint64 {
        const QVariant cod = m_model->fieldValue(row, "Codigo");
        if (cod.isNull())
            return -1;
        return m_dm.TbBens->indexName() == "IdxCodCat"
                   ? m_model->fieldValue(row, "CodCat").toLongLong()
                   : row;
    });
    DBGridBens->horizontalHeader()->setStretchLastSection(false);
    setAssetColumnWidths(DBGridBens, 124);
    DBGridBens->horizontalHeader()->setSectionsClickable(true);
    connect(DBGridBens->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int s) { app::guarded([this, s] { sortBy(s); }); });
    new data::GridTableLink(DBGridBens, m_dm.TbBens, [] { return true; });
    connect(m_dm.TbBens, &data::Table::currentChanged, this, [this] { refreshObs(); });
    connect(DBGridBens, &QTableView::doubleClicked, a.ActionEditarBem, &QAction::trigger);
    DBGridBens->installEventFilter(this);
    m_gridMenu = new QMenu(this);
    m_gridMenu->addAction(a.ActionReplicarBem);
    m_gridMenu->addSeparator();
    m_gridMenu->addActions({a.ActionIncluirBem, a.ActionEditarBem, a.ActionExcluirBem});
    m_gridMenu->addSeparator();
    m_gridMenu->addAction(a.ActionLocalizarBem);
    DBGridBens->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGridBens, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { m_gridMenu->popup(DBGridBens->viewport()->mapToGlobal(p)); });

    auto *obsPanel = new QFrame(this);
    obsPanel->setGeometry(4, 290, 180, 118);
    obsPanel->setFrameShape(QFrame::StyledPanel);
    auto *obsCap = new QLabel("Descrição Detalhada do Bem:", obsPanel);
    obsCap->setGeometry(4, 2, 172, 34);
    obsCap->setWordWrap(true);
    m_obs = new QLabel(obsPanel);
    m_obs->setObjectName("LabelObsBem");
    m_obs->setGeometry(4, 38, 172, 76);
    m_obs->setWordWrap(true);
    m_obs->setTextFormat(Qt::PlainText);
    m_obs->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *totals = new QFrame(this);
    totals->setObjectName("PanelSlBens");
    totals->setGeometry(188, 290, 322, 118);
    totals->setFrameShape(QFrame::StyledPanel);
    buildTotals(totals);

    auto *rel = new QFrame(this);
    rel->setGeometry(514, 290, 102, 118);
    rel->setFrameShape(QFrame::StyledPanel);
    auto *relCap = new QLabel("Relação de Bens:", rel);
    relCap->setGeometry(4, 2, 96, 34);
    relCap->setWordWrap(true);
    auto *csv = pageButton(rel, "BtSaveCSV", "Salvar CSV", {4, 40, 92, 28});
    csv->setToolTip("Salvar a Relação de Bens em Arquivo CSV");
    auto *print = pageButton(rel, "BtPrint", "Imprimir", {4, 74, 92, 28});
    print->setToolTip("Imprimir a Relação de Bens");
    connect(csv, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtSaveCSVClick(); }); });
    connect(print, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPrintClick(); }); });

    PanelFindBem = new QFrame(this);
    PanelFindBem->setObjectName("PanelFindBem");
    PanelFindBem->setGeometry(380, 40, 220, 60);
    PanelFindBem->setFrameShape(QFrame::Box);
    PanelFindBem->setAutoFillBackground(true);
    auto *findCap = new QLabel("Localizar Código do Bem", PanelFindBem);
    findCap->setGeometry(8, 4, 200, 20);
    EditFindBem = new QLineEdit(PanelFindBem);
    EditFindBem->setObjectName("EditFindBem");
    EditFindBem->setMaxLength(6);
    EditFindBem->setValidator(new app::CharsetValidator("0-9", EditFindBem));
    EditFindBem->setGeometry(8, 28, 110, 24);
    findCap->setBuddy(EditFindBem);
    EditFindBem->installEventFilter(this);
    auto *go = pageButton(PanelFindBem, "BtFindBem", "Localizar", {124, 27, 86, 26});
    go->setFocusPolicy(Qt::NoFocus);
    connect(go, &QPushButton::clicked, this, [this] { app::guarded([this] { runFind(); }); });
    PanelFindBem->hide();
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
            if (PanelFindBem->isVisible() && now && !PanelFindBem->isAncestorOf(now) &&
                now->window() == window())
                PanelFindBem->hide();
        });
}

void AssetsPage::buildTotals(QWidget *panel)
{
    const char *caps[] = {"LabelCapSlAntBens", "LabelCapSlIncBens", "LabelCapSlDecBens",
                          "LabelCapSlAtuBens", "LabelCapSlHojeBens"};
    const char *vals[] = {"LabelSlAntBens", "LabelSlIncBens", "LabelSlDecBens", "LabelSlAtuBens",
                          "LabelSlHojeBens"};
    for (int i = 0; i < 5; ++i) {
        auto *c = new QLabel(panel);
        c->setObjectName(caps[i]);
        c->setGeometry(2, 4 + i * 22, 206, 20);
        auto *v = new QLabel(panel);
        v->setObjectName(vals[i]);
        v->setGeometry(208, 4 + i * 22, 110, 20);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont f = v->font();
        f.setBold(true);
        v->setFont(f);
        if (i >= 3)
            c->setFont(f);
    }
}

QLabel *AssetsPage::label(const char *name) const
{
    return findChild<QLabel *>(name);
}

// ---------------------------------------------------------------- sign-in, period, totals

void AssetsPage::signIn()
{
    m_values->invalidate();
    m_values->setEnabled(true);
    m_values->setDate(m_period().second);
    m_dm.TbBens->disableControls();
    sortBy(3);
    m_dm.TbBens->first();
    m_dm.TbBens->enableControls();
    periodChanged();
}

void AssetsPage::signOut()
{
    m_values->setEnabled(false);
    m_values->invalidate();
    delete m_search;
    m_search = nullptr;
}

void AssetsPage::periodChanged()
{
    const QDate dtFim = m_period().second;
    m_values->setDate(dtFim);
    m_model->valueTitle = valueColumnTitle(dtFim);
    m_model->retitle();
    if (m_dm.TbBens->isActive())
        m_dm.TbBens->refresh();
    recompute();
}

void AssetsPage::recompute()
{
    if (!m_dm.TbBens->isActive())
        return;
    app::WaitCursor wait;
    const auto [dtIni, dtFim] = m_period();
    RefreshLabelsValorDosBens(CalcularValorDosBens(Register::of(m_dm), dtIni, dtFim, app::today()));
    refreshObs();
}

void AssetsPage::RefreshLabelsValorDosBens(const AssetTotals &t)
{
    const auto [dtIni, dtFim] = m_period();
    label("LabelCapSlAntBens")
        ->setText(" Valor dos Bens em (" + app::formatDate(dtIni.addDays(-1)) + ")");
    label("LabelCapSlIncBens")->setText(" (+) Acréscimos do Período");
    label("LabelCapSlDecBens")->setText(" (-) Decréscimos do Período");
    label("LabelCapSlAtuBens")->setText(" Valor Bens em (" + app::formatDate(dtFim) + ")");
    label("LabelCapSlHojeBens")->setText(" Total Hoje (" + app::formatDate(app::today()) + ")");
    const std::pair<const char *, app::Money> figures[] = {{"LabelSlAntBens", t.SlAntBens},
                                                           {"LabelSlIncBens", t.SlIncBens},
                                                           {"LabelSlDecBens", t.SlDecBens},
                                                           {"LabelSlAtuBens", t.SlAtuBens},
                                                           {"LabelSlHojeBens", t.SlHojeBens}};
    for (int i = 0; i < 5; ++i) {
        QLabel *l = label(figures[i].first);
        l->setText(app::formatMoney(figures[i].second) + (i < 3 ? "  " : " "));
        l->setStyleSheet(figures[i].second < app::Money() ? "color: #FF0000;" : "color: #0000FF;");
    }
    LabelRecCountBens->setText("[" + QString::number(m_dm.TbBens->recordCount()) + "]");
}

void AssetsPage::refreshObs()
{
    data::Table *t = m_dm.TbBens;
    m_obs->setText(t->isActive() && !t->isEmpty() ? t->asString("Obs") : QString());
}

void AssetsPage::sortBy(int section)
{
    static const char *indexes[] = {"", "IdxDescricao", "IdxData", "IdxCodCat"};
    if (section < 0 || section > 3 || !m_dm.TbBens->isActive())
        return;
    data::Table *t = m_dm.TbBens;
    const qint64 row = t->current().rowId;
    t->setIndexName(indexes[section]);
    t->moveToRowId(row);
    m_model->marked = section;
    m_model->retitle();
    m_sorted = section;
}

// ---------------------------------------------------------------- the tab's dialogs

void AssetsPage::entered()
{
    catView();
    if (!m_editor)
        m_editor = new TFormBensEdit(m_dm, m_catView, this);
    DBGridBens->setFocus();
}

void AssetsPage::left()
{
    hideFindPanel();
    // The search keeps its criteria while the page is current only.
    delete m_search;
    m_search = nullptr;
    delete m_editor;
    m_editor = nullptr;
    delete m_catView;
    m_catView = nullptr;
}

TFormBensCatView *AssetsPage::catView()
{
    if (!m_catView)
        m_catView = new TFormBensCatView(m_dm, this);
    return m_catView;
}

TFormBensPesq *AssetsPage::search()
{
    if (!m_search)
        m_search = new TFormBensPesq(m_dm, *m_values, catView(), m_period, this);
    return m_search;
}

void AssetsPage::hideFindPanel()
{
    PanelFindBem->hide();
}

// ---------------------------------------------------------------- the commands

void AssetsPage::openEditor(const QString &title)
{
    if (!m_editor)
        entered();
    if (m_editor->run(title))
        afterSave();
    DBGridBens->setFocus();
}

void AssetsPage::afterSave()
{
    app::WaitCursor wait;
    m_dm.TbBens->refresh();
    recompute();
}

void AssetsPage::ActionIncluirBemExecute()
{
    data::Table *t = m_dm.TbBens;
    const qint64 cod = nextAssetCode(Register::of(m_dm));
    t->append();
    t->setValue("Codigo", cod);
    openEditor("Controle de Bens - Incluir Novo Bem");
}

void AssetsPage::ActionEditarBemExecute()
{
    if (m_dm.TbBens->isEmpty()) {
        app::Mensagem("Nenhum Bem para Editar!", 0);
        return;
    }
    m_dm.TbBens->edit();
    openEditor("Controle de Bens - Editar/Alterar Bem");
}

void AssetsPage::ActionReplicarBemExecute()
{
    data::Table *t = m_dm.TbBens;
    if (t->isEmpty()) {
        app::Mensagem("Nenhum Bem para Replicar!", 0);
        return;
    }
    const QVariantList copied = {t->value("CodCat"), t->value("DtAquisicao"),
                                 t->value("VlrAquisicao"), t->value("Descricao"), t->value("Obs")};
    const qint64 cod = nextAssetCode(Register::of(m_dm));
    t->append();
    t->setValue("Codigo", cod);
    const char *fields[] = {"CodCat", "DtAquisicao", "VlrAquisicao", "Descricao", "Obs"};
    for (int i = 0; i < 5; ++i)
        t->setValue(fields[i], copied[i]);
    openEditor("Controle de Bens - Incluir Novo Bem");
}

void AssetsPage::ActionExcluirBemExecute()
{
    data::Table *t = m_dm.TbBens;
    if (t->isEmpty()) {
        app::Mensagem("Nenhum Bem para Excluir!", 0);
        return;
    }
    if (app::Mensagem("Tem certeza que deseja excluir este Bem?\r\n\r\nDescrição do Bem: " +
                          t->asString("Descricao"),
                      2) != app::MsgButton::Yes)
        return;
    {
        app::WaitCursor wait;
        deleteAsset(Register::of(m_dm));
    }
    recompute();
    DBGridBens->setFocus();
}

void AssetsPage::ActionLocalizarBemExecute(const QString &firstChar)
{
    EditFindBem->setText(firstChar);
    PanelFindBem->show();
    PanelFindBem->raise();
    EditFindBem->setFocus();
    EditFindBem->setCursorPosition(int(firstChar.size()));
}

void AssetsPage::runFind()
{
    const QString text = EditFindBem->text().trimmed();
    if (text.isEmpty()) {
        app::Mensagem("Por favor, digite o Código\r\nque deseja Localizar!", 0);
        EditFindBem->clear();
        EditFindBem->setFocus();
        return;
    }
    bool ok = false;
    const qint64 cod = text.toLongLong(&ok);
    if (!ok) {
        app::Mensagem("'" + text + "' não é um Código válido!" + "\r\n" + "Por favor, verifique.",
                      0);
        EditFindBem->setFocus();
        return;
    }
    PanelFindBem->hide();
    if (!moveToAsset(cod))
        app::Mensagem("Código '" + app::formatNumber(cod, "000000") + "' não encontrado!", 0);
    DBGridBens->setFocus();
}

// Found through the table file by its key, so the list keeps its order (and its position when
// the code does not exist).
bool AssetsPage::moveToAsset(qint64 codigo)
{
    data::Table *t = m_dm.TbBens;
    const QVariant rowId =
        m_dm.db().scalar("SELECT rowid FROM " + t->sqlName() + " WHERE Codigo=?", {codigo});
    return rowId.isValid() && t->moveToRowId(rowId.toLongLong());
}

void AssetsPage::ActionCategoriasExecute()
{
    {
        TFormBensCat cat(m_dm, this);
        cat.exec();
    }
    m_dm.TbBens->refresh();
    recompute();
    DBGridBens->setFocus();
}

void AssetsPage::BtBensPesqClick()
{
    TFormBensPesq *s = search();
    if (const auto cod = s->run()) {
        // CalcularBens is off while the list moves to the chosen asset: nothing to value then.
        m_values->setEnabled(false);
        moveToAsset(*cod);
        m_values->setEnabled(true);
    }
    m_dm.TbBens->refresh();
    DBGridBens->setFocus();
}

void AssetsPage::BtSaveCSVClick()
{
    data::Table *t = m_dm.TbBens;
    if (t->isEmpty()) {
        app::Mensagem("Nenhum Bem para\r\nsalvar em arquivo CSV!", 0);
        return;
    }
    const auto [dtIni, dtFim] = m_period();
    const AssetTotals totals = CalcularValorDosBens(Register::of(m_dm), dtIni, dtFim, app::today());
    app::saveCsvListing(this, "RelaçãoDeBens.CSV",
                        assetListing(rowsOf(*t), accounts::csvUserOf(m_dm), "Relação de Bens",
                                     dtFim, "Total dos Bens em ", totals.SlAtuBens),
                        "OK. Relação de Bens gravada no arquivo \r\n");
    DBGridBens->setFocus();
}

void AssetsPage::BtPrintClick()
{
    data::Table *t = m_dm.TbBens;
    if (t->isEmpty()) {
        app::Mensagem("Nenhum Bem para imprimir!", 0);
        return;
    }
    reports::TRM rm(m_dm, window());
    rm.setParameter("DataVlrBens", m_period().second.toString("dd/MM/yy"));
    rm.setDataView("DvBens", assetView(rowsOf(*t)));
    rm.run("RepBens");
    DBGridBens->setFocus();
}

bool AssetsPage::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, e);
    auto *k = static_cast<QKeyEvent *>(e);
    if (watched == DBGridBens) {
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            app::guarded([this] { ActionEditarBemExecute(); });
            return true;
        }
        if (k->text().size() == 1 && k->text()[0].isDigit()) {
            ActionLocalizarBemExecute(k->text());
            return true;
        }
    } else if (watched == EditFindBem) {
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            app::guarded([this] { runFind(); });
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            PanelFindBem->hide();
            DBGridBens->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace assets
