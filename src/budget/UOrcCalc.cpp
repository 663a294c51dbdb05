#include "UOrcCalc.h"

#include "UOrcBase.h"
#include "UOrcEdit.h"
#include "budgetcsv.h"
#include "generation.h"
#include "orcmodel.h"

#include <accounts/listings.h>
#include <app/application.h>
#include <app/csvsave.h>
#include <app/dates.h>
#include <app/format.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>
#include <data/table.h>
#include <entries/UData.h>
#include <ledger/findpanel.h>
#include <ledger/screenparts.h>
#include <reports/URM.h>

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace budget {

namespace {

QLabel *resultLabel(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

// The absolute value, blue when the signed value is 0 or more and red below 0.
void showTotal(QLabel *label, app::Money m)
{
    label->setText(app::formatMoney(m.abs()));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, m.centavos() < 0 ? QColor(Qt::red) : QColor(Qt::blue));
    label->setPalette(p);
}

} // namespace

TFormOrcCalc::TFormOrcCalc(data::TDM &dm, const QDate &dtIni, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_periodDialog(new entries::TFormData(this)),
      m_orcBase(new TFormOrcBase(this)), m_model(new OrcModel(this))
{
    setObjectName("TFormOrcCalc");
    setWindowTitle("Quorvila :: Orçamento  [" + dm.CodUsuario() + "  " +
                   dm.TbUser->asString("Nome") + "]");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    app::AjustarFormatoDatas();
    DtIniOrc = QDate(dtIni.year(), dtIni.month(), 1);
    DtFimOrc = DtIniOrc.addMonths(1).addDays(-1);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(buildTopBar());
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    TabOrc = buildTab();
    PageControl1->addTab(TabOrc, "Orçamento");
    outer->addWidget(PageControl1, 1);
    outer->addWidget(buildBottomBar());
    buildPopup();
    setFixedSize(780, 600);

    applyMonthTitles();
    m_orcBase->setSourceMonths(monthBefore(DtIniOrc));
    app::guarded([this] {
        OrcView();
        OrcResultado();
    });
}

TFormOrcCalc::~TFormOrcCalc() = default;

QWidget *TFormOrcCalc::buildTopBar()
{
    auto *bar = new QWidget(this);
    auto *lay = new QHBoxLayout(bar);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addStretch(1);
    BtPeriodo = ledger::screenButton("BtPeriodo", "", "Selecionar o período do Orçamento", bar);
    BtPeriodo->setFixedWidth(154);
    BtFinHelp = ledger::screenButton("BtFinHelp", "Ajuda", "Ajuda", bar);
    app::wireHelp(BtFinHelp, 2046, [this] { PanelFindOrc->hide(); });
    lay->addWidget(BtPeriodo);
    lay->addWidget(BtFinHelp);
    connect(BtPeriodo, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPeriodoClick(); }); });
    return bar;
}

QWidget *TFormOrcCalc::buildTab()
{
    auto *tab = new QWidget;
    tab->setObjectName("TabOrc");
    auto *lay = new QVBoxLayout(tab);
    PanelOrc = ledger::bandLabel("PanelOrc", tab);
    DBGrid1 = ledger::accountGrid("DBGrid1", tab);
    DBGrid1->setModel(m_model);
    DBGrid1->setItemDelegate(new OrcRowDelegate(DBGrid1));
    const int widths[] = {64, 36, 236, 96, 96, 70, 96};
    for (int c = 0; c < 7; ++c)
        DBGrid1->setColumnWidth(c, widths[c]);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this] { placeResultLabels(); });

    PanelFindOrc =
        ledger::findPanel("PanelFindOrc", "EditFindOrc", "BtFindOrc", EditFindOrc, BtFindOrc, tab);
    ledger::watchFindPanel(DBGrid1, PanelFindOrc, EditFindOrc,
                           [this] { return m_model->rowCount() > 0; });
    connect(BtFindOrc, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtFindOrcClick(); }); });
    connect(EditFindOrc, &QLineEdit::returnPressed, this,
            [this] { app::guarded([this] { BtFindOrcClick(); }); });

    auto *choosers = new QHBoxLayout;
    LabelGrupo = new QLabel("Visualizar Contas", tab);
    LabelGrupo->setObjectName("LabelGrupo");
    ComboGrupo = ledger::chooserBox("ComboGrupo", grupoOrcItems(), tab);
    LabelGrupo->setBuddy(ComboGrupo);
    LabelNivel = new QLabel("Visualizar Níveis:", tab);
    LabelNivel->setObjectName("LabelNivel");
    ComboNivel = ledger::chooserBox("ComboNivel", ledger::nivelItems(), tab);
    LabelNivel->setBuddy(ComboNivel);
    BtOrcar = ledger::screenButton("BtOrcar", "&Orçar Conta  ", "Orçar a conta selecionada", tab);
    BtGerar = ledger::screenButton("BtGerar", "&Gerar Orçam.", "Gerar o Orçamento do mês", tab);
    choosers->addWidget(LabelGrupo);
    choosers->addWidget(ComboGrupo);
    choosers->addSpacing(12);
    choosers->addWidget(LabelNivel);
    choosers->addWidget(ComboNivel);
    choosers->addStretch(1);
    choosers->addWidget(BtOrcar);
    choosers->addWidget(BtGerar);

    lay->addWidget(PanelOrc);
    lay->addWidget(DBGrid1, 1);
    lay->addWidget(buildResultBand(tab));
    lay->addWidget(PanelFindOrc);
    lay->addLayout(choosers);

    const auto onChooser = [this] {
        app::guarded([this] { MudarVisualizacaoOrcamento(); });
    };
    connect(ComboGrupo, &QComboBox::currentIndexChanged, this, onChooser);
    connect(ComboNivel, &QComboBox::currentIndexChanged, this, onChooser);
    connect(BtOrcar, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtOrcarClick(); }); });
    connect(BtGerar, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtGerarClick(); }); });
    return tab;
}

QWidget *TFormOrcCalc::buildResultBand(QWidget *parent)
{
    PanelResultado = new QWidget(parent);
    PanelResultado->setObjectName("PanelResultado");
    PanelResultado->setFixedHeight(24);
    PanelResultado->setAutoFillBackground(true);
    QPalette p = PanelResultado->palette();
    p.setColor(QPalette::Window, QColor(0xE4E4E4));
    PanelResultado->setPalette(p);
    LabelResultado = resultLabel("LabelResultado", PanelResultado);
    LabelResultado->setText("(=) Resultado do Mês");
    LabelResultado->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LabelVOrc = resultLabel("LabelVOrc", PanelResultado);
    LabelVReal = resultLabel("LabelVReal", PanelResultado);
    LabelPerc = resultLabel("LabelPerc", PanelResultado);
    LabelSaldo = resultLabel("LabelSaldo", PanelResultado);
    return PanelResultado;
}

QWidget *TFormOrcCalc::buildBottomBar()
{
    auto *bar = new QWidget(this);
    auto *lay = new QHBoxLayout(bar);
    lay->setContentsMargins(0, 0, 0, 0);
    BtSaveCSV =
        ledger::screenButton("BtSaveCSV", "Salvar CSV", "Salvar o Orçamento em Arquivo CSV", bar);
    BtPrint = ledger::screenButton("BtPrint", "Imprimir", "Imprimir o Orçamento", bar);
    BtFechar = ledger::screenButton("BtFechar", "Fechar", "", bar);
    LabelVerso = new QLabel("\"Os planos bem elaborados  levam à fartura; mas o apressado sempre "
                            "acaba na miséria\". Provérbios 21:5",
                            bar);
    LabelVerso->setObjectName("LabelVerso");
    LabelVerso->setTextFormat(Qt::PlainText);
    LabelVerso->setWordWrap(true);
    LabelVerso->setAlignment(Qt::AlignCenter);
    QFont f = LabelVerso->font();
    f.setItalic(true);
    LabelVerso->setFont(f);
    lay->addWidget(BtSaveCSV);
    lay->addWidget(BtPrint);
    lay->addWidget(LabelVerso, 1);
    lay->addWidget(BtFechar);
    connect(BtSaveCSV, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtSaveCSVClick(); }); });
    connect(BtPrint, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPrintClick(); }); });
    connect(BtFechar, &QPushButton::clicked, this, &QDialog::close);
    return bar;
}

void TFormOrcCalc::buildPopup()
{
    PopupOrc = new QMenu(this);
    PopupOrc->setObjectName("PopupOrc");
    MenuLocalizar = PopupOrc->addAction("Localizar...");
    MenuOrcar = PopupOrc->addAction("Orçar Conta");
    MenuGerar = PopupOrc->addAction("Gerar Orçamento");
    PopupOrc->addSeparator();
    MenuImprimir = PopupOrc->addAction("Imprimir");
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        const OrcRow *r = currentRow();
        MenuLocalizar->setEnabled(m_model->rowCount() > 0);
        MenuOrcar->setEnabled(r && r->Nv == 3);
        MenuImprimir->setEnabled(m_model->rowCount() > 0);
        PopupOrc->popup(DBGrid1->viewport()->mapToGlobal(p));
    });
    connect(MenuLocalizar, &QAction::triggered, this,
            [this] { ledger::showFindPanel(PanelFindOrc, EditFindOrc, {}); });
    connect(MenuOrcar, &QAction::triggered, this,
            [this] { app::guarded([this] { BtOrcarClick(); }); });
    connect(MenuGerar, &QAction::triggered, this,
            [this] { app::guarded([this] { BtGerarClick(); }); });
    connect(MenuImprimir, &QAction::triggered, this,
            [this] { app::guarded([this] { BtPrintClick(); }); });
}

void TFormOrcCalc::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Feature screens sit 5 pixels below the main window's top, 4 inside its right edge.
    if (!m_placed && parentWidget()) {
        app::placeBesideMainWindow(this);
        m_placed = true;
    }
    placeResultLabels();
    DBGrid1->setFocus();
}

void TFormOrcCalc::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    placeResultLabels();
}

// The result's figures stand under the value columns of the grid.
void TFormOrcCalc::placeResultLabels()
{
    const auto columnX = [this](int c) {
        return DBGrid1->viewport()
                   ->mapTo(PanelResultado->parentWidget(),
                           QPoint(DBGrid1->columnViewportPosition(c), 0))
                   .x() -
               PanelResultado->x();
    };
    const int h = PanelResultado->height();
    LabelResultado->setGeometry(columnX(OrcModel::Descricao) + 2, 0,
                                DBGrid1->columnWidth(OrcModel::Descricao), h);
    const std::pair<QLabel *, int> figures[] = {{LabelVOrc, OrcModel::ValorOrcado},
                                                {LabelVReal, OrcModel::Realizado},
                                                {LabelPerc, OrcModel::PercRealizado},
                                                {LabelSaldo, OrcModel::Saldo}};
    for (const auto &[label, col] : figures)
        label->setGeometry(columnX(col), 0, DBGrid1->columnWidth(col) - 2, h);
}

void TFormOrcCalc::applyMonthTitles()
{
    BtPeriodo->setText(monthCaption(DtIniOrc));
    PanelOrc->setText(budget::PanelOrc(DtIniOrc));
    m_model->setTitles(columnTitles(DtIniOrc, m_monthChanged));
}

void TFormOrcCalc::OrcView()
{
    {
        app::WaitCursor wait;
        m_month = budget::OrcView(BudgetBook::of(m_dm), DtIniOrc);
    }
    if (m_month.nothingToCompare())
        app::Mensagem(texts::kNadaNoPeriodo, 0);
}

void TFormOrcCalc::OrcResultado()
{
    showTotal(LabelVOrc, m_month.totals.ValorOrcado);
    showTotal(LabelVReal, m_month.totals.Realizado);
    showTotal(LabelSaldo, m_month.totals.Saldo());
    LabelPerc->setText(m_month.totals.percent());
    const int row = DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().row() : 0;
    MudarVisualizacaoOrcamento();
    selectRow(row);
}

void TFormOrcCalc::MudarVisualizacaoOrcamento()
{
    m_model->setRows(budget::MudarVisualizacaoOrcamento(m_month.rows,
                                                        ledger::Nivel(ComboNivel->currentIndex()),
                                                        GrupoOrc(ComboGrupo->currentIndex())));
    selectRow(0);
    DBGrid1->setFocus();
}

void TFormOrcCalc::selectRow(int row)
{
    if (m_model->rowCount() == 0)
        return;
    DBGrid1->setCurrentIndex(m_model->index(std::clamp(row, 0, m_model->rowCount() - 1), 0));
}

const OrcRow *TFormOrcCalc::currentRow() const
{
    const QModelIndex i = DBGrid1->currentIndex();
    if (!i.isValid() || size_t(i.row()) >= m_model->rows().size())
        return nullptr;
    return &m_model->rows()[size_t(i.row())];
}

void TFormOrcCalc::BtPeriodoClick()
{
    entries::TFormData &d = *m_periodDialog;
    d.setMonthDate(DtIniOrc);
    d.setPageSet(1);
    d.Tag = 1;
    if (d.exec() == QDialog::Accepted) {
        const QDate ini = d.chosen().ini;
        DtIniOrc = QDate(ini.year(), ini.month(), 1);
        DtFimOrc = DtIniOrc.addMonths(1).addDays(-1);
        m_monthChanged = true;
        applyMonthTitles();
        m_orcBase->setSourceMonths(monthBefore(DtIniOrc));
        OrcView();
        OrcResultado();
    }
    DBGrid1->setFocus();
}

void TFormOrcCalc::BtGerarClick()
{
    const BudgetBook b = BudgetBook::of(m_dm);
    if (hasBudget(b, DtIniOrc) && app::Mensagem(texts::kJaExiste, 2) != app::MsgButton::Yes) {
        app::Mensagem(texts::kNaoAlterado, 0);
        DBGrid1->setFocus();
        return;
    }
    app::AjustarFormatoDatas();
    m_orcBase->setWindowTitle("Gerar Orçamento de " + monthCaption(DtIniOrc));
    if (m_orcBase->exec() != QDialog::Accepted) {
        DBGrid1->setFocus();
        return;
    }
    Generated g = Generated::EmptySource;
    {
        app::WaitCursor wait;
        g = generateMonth(b, DtIniOrc, m_orcBase->source(), m_orcBase->sourceMonth(),
                          m_orcBase->factor());
    }
    if (g == Generated::EmptySource) {
        app::Mensagem(texts::kOrigemVazia, 0);
        DBGrid1->setFocus();
        return;
    }
    OrcView();
    OrcResultado();
    app::Mensagem(texts::kGerado, 0);
}

void TFormOrcCalc::BtOrcarClick()
{
    const OrcRow *r = currentRow();
    if (!r || r->CodRed == 0) {
        app::Mensagem(texts::kSo3Nivel, 0);
        return;
    }
    const int cod = r->CodRed;
    const BudgetBook b = BudgetBook::of(m_dm);
    const std::optional<app::Money> stored = storedValue(b, DtIniOrc, cod);
    {
        TFormOrcEdit dlg(
            r->ExtCta + " - " + QString::number(cod) + " - " + r->Descricao,
            stored ? app::formatMoney(stored->abs(), "0.00") : QString(),
            [&](app::Money typed) { saveValue(b, DtIniOrc, cod, signedValue(cod, typed)); }, this);
        dlg.exec();
    }
    OrcView();
    OrcResultado();
}

void TFormOrcCalc::BtFindOrcClick()
{
    const std::optional<ledger::SearchKey> key = ledger::readSearch(EditFindOrc);
    if (!key)
        return;
    PanelFindOrc->hide();
    const OrcRow *row = key->kind == ledger::SearchKey::Kind::Account
                            ? m_month.findExtCta(key->code)
                            : m_month.findCodRed(key->number);
    ledger::locate(DBGrid1, ComboGrupo, ComboNivel, *key, row ? row->ExtCta : QString(),
                   [this] { MudarVisualizacaoOrcamento(); });
}

// A month with nothing to compare has nothing to print or save either.
bool TFormOrcCalc::available(const char *message)
{
    if (m_model->rowCount() == 0 || m_month.nothingToCompare()) {
        app::Mensagem(message, 0);
        return false;
    }
    return true;
}

void TFormOrcCalc::BtSaveCSVClick()
{
    if (!available(texts::kNaoCsv))
        return;
    const int row = DBGrid1->currentIndex().row();
    app::saveCsvListing(this, "Orçamento.CSV",
                        budgetCsv(accounts::csvUserOf(m_dm), PanelOrc->text(), m_model->titles(),
                                  m_model->rows(), m_month.totals),
                        "OK. Orçamento gravado no arquivo \r\n");
    selectRow(row);
}

void TFormOrcCalc::BtPrintClick()
{
    if (!available(texts::kNaoImprimir))
        return;
    reports::TRM rm(m_dm, this);
    rm.setParameter("ReportTitle1", PanelOrc->text());
    rm.setParameter("ResultVOrc", totalParameter(m_month.totals.ValorOrcado));
    rm.setParameter("ResultVReal", totalParameter(m_month.totals.Realizado));
    rm.setParameter("ResultSaldo", totalParameter(m_month.totals.Saldo()));
    rm.setDataView("DvOrc", orcView(m_model->rows()));
    rm.run("RepOrc");
    DBGrid1->setFocus();
}

} // namespace budget
