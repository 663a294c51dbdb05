#include "UBalCalc.h"

#include "balmodels.h"
#include "findpanel.h"
#include "ledgercsv.h"
#include "reportviews.h"
#include "screenparts.h"
#include "search.h"

#include <accounts/gridsetup.h>
#include <accounts/listings.h>
#include <app/application.h>
#include <app/csvsave.h>
#include <app/dates.h>
#include <app/helptag.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>
#include <data/table.h>
#include <entries/UData.h>
#include <reports/URM.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <optional>

namespace ledger {

namespace {

int year(const QDate &d)
{
    return d.year();
}

} // namespace

TFormBalCalc::TFormBalCalc(data::TDM &dm, const QDate &dtIni, const QDate &dtFim, QWidget *parent)
    : QDialog(parent), DtIniBal(dtIni), DtFimBal(dtFim), m_dm(dm),
      m_periodDialog(new entries::TFormData(this)), m_bcte(new BcteModel(this)),
      m_lctos(new LctosModel(this)), m_mapa(new MapaModel(this))
{
    setObjectName("TFormBalCalc");
    setWindowTitle("Quorvila :: Balancetes e Extratos de Conta  [" + dm.CodUsuario() + "  " +
                   dm.TbUser->asString("Nome") + "]");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    app::AjustarFormatoDatas();

    auto *outer = new QVBoxLayout(this);
    buildTopBar();
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setStyleSheet(
        "QTabWidget::pane { border: none; }"
        "QTabBar::tab { border: 1px solid #8C8C8C; border-radius: 3px; padding: 4px 12px;"
        " margin: 2px; background: #E4E4E4; }"
        "QTabBar::tab:selected { background: #C4C4C4; font-weight: bold; }");
    // Bold selected tabs are wider than the bar measures them; without scroll arrows both show.
    PageControl1->tabBar()->setUsesScrollButtons(false);
    PageControl1->tabBar()->setElideMode(Qt::ElideNone);
    TabBal = buildBalTab();
    TabBalMapa = buildMapaTab();
    PageControl1->addTab(TabBal, "Balancete");
    PageControl1->addTab(TabBalMapa, "Mapa do Ano");
    outer->addWidget(BtPeriodo->parentWidget());
    outer->addWidget(PageControl1, 1);
    buildBottomBar();
    outer->addWidget(BtFechar->parentWidget());
    setFixedSize(860, 600);

    CheckTotais->setChecked(dm.TbUser->asBool("ExtratoTotDiario"));
    mode = PeriodMode::Month;
    applyPeriodTitles();
    PageControl1->setCurrentWidget(TabBal);
    PageControl1Change();
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this] { app::guarded([this] { PageControl1Change(); }); });
    app::guarded([this] { BalView(); });
}

TFormBalCalc::~TFormBalCalc() = default;

void TFormBalCalc::buildTopBar()
{
    auto *bar = new QWidget(this);
    auto *lay = new QHBoxLayout(bar);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addStretch(1);
    BtPeriodo = screenButton("BtPeriodo", "", "Selecionar o período do Balancete", bar);
    BtPeriodoMapa = screenButton("BtPeriodoMapa", "", "Selecionar o Ano", bar);
    BtFinHelp = screenButton("BtFinHelp", "Ajuda", "Ajuda", bar);
    app::wireHelp(BtFinHelp, 2041, [this] {
        PanelFindBal->hide();
        PanelFindMapa->hide();
    });
    BtPeriodo->setFixedWidth(154);
    BtPeriodoMapa->setFixedWidth(104);
    lay->addWidget(BtPeriodo);
    lay->addWidget(BtPeriodoMapa);
    lay->addWidget(BtFinHelp);
    connect(BtPeriodo, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPeriodoClick(); }); });
    connect(BtPeriodoMapa, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPeriodoMapaClick(); }); });
}

QWidget *TFormBalCalc::buildBalTab()
{
    auto *tab = new QWidget;
    tab->setObjectName("TabBal");
    auto *lay = new QHBoxLayout(tab);
    auto *left = new QVBoxLayout;
    PanelBal = bandLabel("PanelBal", tab);
    DBGrid1 = accountGrid("DBGrid1", tab);
    DBGrid1->setModel(m_bcte);
    DBGrid1->setItemDelegate(new BalRowDelegate(DBGrid1));
    DBGrid1->setColumnWidth(0, 64);
    DBGrid1->setColumnWidth(1, 36);
    DBGrid1->setColumnWidth(2, 200);
    for (int c = 3; c < 6; ++c)
        DBGrid1->setColumnWidth(c, 96);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    PanelCirc = bandLabel("PanelCirc", tab);
    DBGrid2 = accountGrid("DBGrid2", tab);
    DBGrid2->setModel(m_lctos);
    DBGrid2->setItemDelegate(new LctoRowDelegate(DBGrid2));
    DBGrid2->setColumnWidth(LctosModel::Codigo, 56);
    DBGrid2->setColumnWidth(LctosModel::Data, 76);
    DBGrid2->setColumnWidth(LctosModel::Dest, 40);
    DBGrid2->setColumnWidth(LctosModel::Orig, 40);
    DBGrid2->setColumnWidth(LctosModel::Valor, 90);
    DBGrid2->setColumnWidth(LctosModel::Hsto, 200);
    DBGrid2->setColumnHidden(LctosModel::Cta, true);
    PanelFindBal =
        findPanel("PanelFindBal", "EditFindBal", "BtFindBal", EditFindBal, BtFindBal, tab);
    watchFindPanel(DBGrid1, PanelFindBal, EditFindBal, [this] { return m_tbOpen; });
    left->addWidget(PanelBal);
    left->addWidget(DBGrid1, 3);
    left->addWidget(PanelFindBal);
    left->addWidget(PanelCirc);
    left->addWidget(DBGrid2, 2);
    lay->addLayout(left, 1);

    auto *right = new QVBoxLayout;
    LabelGrupo = new QLabel("Visualizar Contas", tab);
    LabelGrupo->setObjectName("LabelGrupo");
    ComboGrupo = chooserBox("ComboGrupo", grupoItems(), tab);
    LabelGrupo->setBuddy(ComboGrupo);
    LabelNivel = new QLabel("Visualizar Níveis:", tab);
    LabelNivel->setObjectName("LabelNivel");
    ComboNivel = chooserBox("ComboNivel", nivelItems(), tab);
    LabelNivel->setBuddy(ComboNivel);
    BtBalSaveCSV =
        screenButton("BtBalSaveCSV", "Salvar CSV", "Salvar Balancete em arquivo CSV", tab);
    BtBalPrint = screenButton("BtBalPrint", "Imprimir", "Imprimir Balancete", tab);
    BtCtaSaveCSV =
        screenButton("BtCtaSaveCSV", "&Salvar CSV", "Salvar Extrato da Conta em arquivo CSV", tab);
    BtCtaPrint =
        screenButton("BtCtaPrint", "Imprimir", "Imprimir o Extrato da Conta selecionada", tab);
    CheckTotais = new QCheckBox("Totais Diários", tab);
    CheckTotais->setObjectName("CheckTotais");
    for (QWidget *w : {static_cast<QWidget *>(LabelGrupo), static_cast<QWidget *>(ComboGrupo),
                       static_cast<QWidget *>(LabelNivel), static_cast<QWidget *>(ComboNivel)})
        right->addWidget(w);
    right->addSpacing(16);
    right->addWidget(new QLabel("Balancete:", tab));
    right->addWidget(BtBalSaveCSV);
    right->addWidget(BtBalPrint);
    right->addSpacing(16);
    right->addWidget(new QLabel("Extrato de Conta:", tab));
    right->addWidget(BtCtaSaveCSV);
    right->addWidget(BtCtaPrint);
    right->addWidget(CheckTotais);
    right->addStretch(1);
    lay->addLayout(right);

    PopupBal = new QMenu(this);
    PopupBal->setObjectName("PopupBal");
    QAction *find = PopupBal->addAction("Localizar...");
    PopupBal->addSeparator();
    QAction *printBal = PopupBal->addAction("Imprimir Balancete");
    QAction *printCta = PopupBal->addAction("Imprimir Extrato da Conta");
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [=, this](const QPoint &p) {
        const BcteRow *r = currentBalRow();
        find->setEnabled(m_tbOpen);
        printBal->setEnabled(m_tbOpen);
        printCta->setEnabled(m_tbOpen && r && r->Nv == 3);
        PopupBal->popup(DBGrid1->viewport()->mapToGlobal(p));
    });
    connect(find, &QAction::triggered, this,
            [this] { showFindPanel(PanelFindBal, EditFindBal, {}); });

    connect(printBal, &QAction::triggered, this,
            [this] { app::guarded([this] { BtBalPrintClick(); }); });
    connect(printCta, &QAction::triggered, this,
            [this] { app::guarded([this] { BtCtaPrintClick(); }); });
    connect(BtBalPrint, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtBalPrintClick(); }); });
    connect(BtCtaPrint, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtCtaPrintClick(); }); });
    const auto onChooser = [this] {
        app::guarded([this] { MudarVisualizacaoBalancete(); });
    };
    connect(ComboGrupo, &QComboBox::currentIndexChanged, this, onChooser);
    connect(ComboNivel, &QComboBox::currentIndexChanged, this, onChooser);
    connect(BtBalSaveCSV, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtBalSaveCSVClick(); }); });
    connect(BtCtaSaveCSV, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtCtaSaveCSVClick(); }); });
    connect(CheckTotais, &QCheckBox::clicked, this,
            [this] { app::guarded([this] { CheckTotaisClick(); }); });
    connect(BtFindBal, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtFindBalClick(); }); });
    connect(EditFindBal, &QLineEdit::returnPressed, this,
            [this] { app::guarded([this] { BtFindBalClick(); }); });
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { app::guarded([this] { currentBalRowChanged(); }); });
    return tab;
}

QWidget *TFormBalCalc::buildMapaTab()
{
    auto *tab = new QWidget;
    tab->setObjectName("TabBalMapa");
    auto *lay = new QVBoxLayout(tab);
    PanelBalMapa = bandLabel("PanelBalMapa", tab);
    DBGridMapa = accountGrid("DBGridMapa", tab);
    DBGridMapa->setModel(m_mapa);
    DBGridMapa->setItemDelegate(new BalRowDelegate(DBGridMapa));
    DBGridMapa->setColumnWidth(0, 64);
    DBGridMapa->setColumnWidth(1, 36);
    DBGridMapa->setColumnWidth(2, 200);
    for (int c = 3; c < 28; ++c)
        DBGridMapa->setColumnWidth(c, 92);
    DBGridMapa->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGridMapa->installEventFilter(this);
    DBGridMapa->setContextMenuPolicy(Qt::CustomContextMenu);
    PanelFindMapa =
        findPanel("PanelFindMapa", "EditFindMapa", "BtFindMapa", EditFindMapa, BtFindMapa, tab);
    watchFindPanel(DBGridMapa, PanelFindMapa, EditFindMapa, [this] { return m_mapOpen; });
    lay->addWidget(PanelBalMapa);
    lay->addWidget(DBGridMapa, 1);
    lay->addWidget(PanelFindMapa);

    auto *below = new QHBoxLayout;
    BtMapaPrior = screenButton("BtMapaPrior", "<<", "Mês Anterior (Ctrl + Seta Esq)", tab);
    BtMapaNext = screenButton("BtMapaNext", ">>", "Próximo Mês (Ctrl + Seta Dir)", tab);
    LabelGrupoMapa = new QLabel("Visualizar Contas", tab);
    LabelGrupoMapa->setObjectName("LabelGrupoMapa");
    ComboGrupoMapa = chooserBox("ComboGrupoMapa", grupoItems(), tab);
    LabelGrupoMapa->setBuddy(ComboGrupoMapa);
    LabelNivelMapa = new QLabel("Visualizar Níveis:", tab);
    LabelNivelMapa->setObjectName("LabelNivelMapa");
    ComboNivelMapa = chooserBox("ComboNivelMapa", nivelItems(), tab);
    LabelNivelMapa->setBuddy(ComboNivelMapa);
    below->addWidget(BtMapaPrior);
    below->addWidget(BtMapaNext);
    below->addStretch(1);
    below->addWidget(LabelGrupoMapa);
    below->addWidget(ComboGrupoMapa);
    below->addWidget(LabelNivelMapa);
    below->addWidget(ComboNivelMapa);
    lay->addLayout(below);
    setMapControlsEnabled(false);
    BtMapaPrior->setEnabled(false);
    BtMapaNext->setEnabled(false);

    PopupMapa = new QMenu(this);
    PopupMapa->setObjectName("PopupMapa");
    QAction *find = PopupMapa->addAction("Localizar...");
    PopupMapa->addSeparator();
    QAction *save = PopupMapa->addAction("Salvar Mapa em CSV");
    connect(DBGridMapa, &QWidget::customContextMenuRequested, this, [=, this](const QPoint &p) {
        find->setEnabled(m_mapOpen);
        save->setEnabled(m_mapOpen);
        PopupMapa->popup(DBGridMapa->viewport()->mapToGlobal(p));
    });
    connect(find, &QAction::triggered, this,
            [this] { showFindPanel(PanelFindMapa, EditFindMapa, {}); });
    connect(save, &QAction::triggered, this, [this] { app::guarded([this] { saveMapCsv(); }); });

    const auto onChooser = [this] {
        app::guarded([this] { MudarVisualizacaoMapa(); });
    };
    connect(ComboGrupoMapa, &QComboBox::currentIndexChanged, this, onChooser);
    connect(ComboNivelMapa, &QComboBox::currentIndexChanged, this, onChooser);
    connect(BtMapaPrior, &QPushButton::clicked, this, [this] { BtMapaVisible(BtMapaPrior); });
    connect(BtMapaNext, &QPushButton::clicked, this, [this] { BtMapaVisible(BtMapaNext); });
    connect(BtFindMapa, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtFindMapaClick(); }); });
    connect(EditFindMapa, &QLineEdit::returnPressed, this,
            [this] { app::guarded([this] { BtFindMapaClick(); }); });
    return tab;
}

void TFormBalCalc::buildBottomBar()
{
    auto *bar = new QWidget(this);
    auto *lay = new QHBoxLayout(bar);
    lay->setContentsMargins(0, 0, 0, 0);
    BtSaveCSV = screenButton("BtSaveCSV", "Salvar CSV", "", bar);
    BtPrint = screenButton("BtPrint", "Imprimir",
                           "Imprimir Extrato de Todas as Contas do Balancete", bar);
    connect(BtPrint, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPrintClick(); }); });
    BtFechar = screenButton("BtFechar", "Fechar", "", bar);
    lay->addWidget(BtSaveCSV);
    lay->addWidget(BtPrint);
    lay->addStretch(1);
    lay->addWidget(BtFechar);
    connect(BtSaveCSV, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtSaveCSVClick(); }); });
    connect(BtFechar, &QPushButton::clicked, this, &QDialog::close);
}

void TFormBalCalc::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Feature screens sit 5 pixels below the main window's top, 4 inside its right edge.
    if (!m_placed && parentWidget()) {
        app::placeBesideMainWindow(this);
        m_placed = true;
    }
    DBGrid1->setFocus();
}

void TFormBalCalc::applyPeriodTitles()
{
    BtPeriodo->setText(periodCaption(DtIniBal, DtFimBal, mode));
    BtPeriodo->setFixedWidth(mode == PeriodMode::Month ? 104 : 154);
    PanelBal->setText(" Balancete " + PeriodoBal(DtIniBal, DtFimBal, mode));
    m_bcte->setValueTitles(valueTitles(DtIniBal, DtFimBal, mode));
}

void TFormBalCalc::setBalControlsEnabled(bool on)
{
    for (QWidget *w : {static_cast<QWidget *>(ComboGrupo), static_cast<QWidget *>(ComboNivel),
                       static_cast<QWidget *>(LabelGrupo), static_cast<QWidget *>(LabelNivel),
                       static_cast<QWidget *>(BtBalSaveCSV), static_cast<QWidget *>(BtCtaSaveCSV),
                       static_cast<QWidget *>(BtBalPrint), static_cast<QWidget *>(BtCtaPrint)})
        w->setEnabled(on);
}

void TFormBalCalc::setMapControlsEnabled(bool on)
{
    for (QWidget *w :
         {static_cast<QWidget *>(ComboGrupoMapa), static_cast<QWidget *>(ComboNivelMapa),
          static_cast<QWidget *>(LabelGrupoMapa), static_cast<QWidget *>(LabelNivelMapa)})
        w->setEnabled(on);
}

void TFormBalCalc::BalView()
{
    m_tbOpen = false;
    m_bcte->setRows({});
    m_lctos->setRows({});
    PanelCirc->clear();
    applyPeriodTitles();
    {
        app::WaitCursor wait;
        m_tb = ledger::BalView(Book::of(m_dm), DtIniBal, DtFimBal);
        if (!m_tb.empty())
            m_ledger = Ledger::build(Book::of(m_dm), DtIniBal, DtFimBal);
    }
    if (m_tb.empty()) {
        setBalControlsEnabled(false);
        app::Mensagem(texts::kNadaNoPeriodo, 0);
        return;
    }
    m_tbOpen = true;
    setBalControlsEnabled(true);
    MudarVisualizacaoBalancete();
}

void TFormBalCalc::MudarVisualizacaoBalancete()
{
    if (!m_tbOpen)
        return;
    m_bcte->setRows(ledger::MudarVisualizacaoBalancete(m_tb.rows, Nivel(ComboNivel->currentIndex()),
                                                       Grupo(ComboGrupo->currentIndex())));
    if (m_bcte->rowCount() > 0)
        DBGrid1->setCurrentIndex(m_bcte->index(0, 0));
    currentBalRowChanged();
    DBGrid1->setFocus();
}

const BcteRow *TFormBalCalc::currentBalRow() const
{
    const QModelIndex i = DBGrid1->currentIndex();
    if (!m_tbOpen || !i.isValid() || size_t(i.row()) >= m_bcte->rows().size())
        return nullptr;
    return &m_bcte->rows()[size_t(i.row())];
}

void TFormBalCalc::currentBalRowChanged()
{
    const BcteRow *r = currentBalRow();
    PanelCirc->setText(r ? r->TituloExtrato : QString());
    if (!r || r->Nv != 3) {
        m_lctos->setRows({});
        return;
    }
    m_lctos->setRows(withOpening(m_ledger.of(r->Cta), r->SaldoAnt));
}

void TFormBalCalc::BtPeriodoClick()
{
    entries::TFormData &d = *m_periodDialog;
    d.setMonthDate(DtIniBal);
    d.setIntervalDates(DtIniBal, DtFimBal);
    d.setPageSet(4);
    d.Tag = int(mode);
    if (d.exec() == QDialog::Accepted) {
        DtIniBal = d.chosen().ini;
        DtFimBal = d.chosen().fim;
        mode = d.Tag == 2 ? PeriodMode::Other : PeriodMode::Month;
        BalView();
    }
    DBGrid1->setFocus();
}

void TFormBalCalc::BtPeriodoMapaClick()
{
    entries::TFormData &d = *m_periodDialog;
    d.setYearDate(QDate(AnoMapa, 1, 1));
    d.setPageSet(3);
    d.Tag = 3;
    if (d.exec() == QDialog::Accepted) {
        // The map's year is its own: the trial balance keeps its period.
        AnoMapa = d.chosen().ini.year();
        BalMapaView();
    }
    DBGridMapa->setFocus();
}

void TFormBalCalc::PageControl1Change()
{
    const bool bal = PageControl1->currentWidget() == TabBal;
    PanelFindBal->hide();
    PanelFindMapa->hide();
    BtPeriodo->setVisible(bal);
    BtPeriodoMapa->setVisible(!bal);
    BtPrint->setVisible(bal);
    app::setHelpTag(BtFinHelp, bal ? 2041 : 2042);
    BtSaveCSV->setToolTip(bal ? "Salvar o Extrato de Todas as Contas em Arquivo CSV"
                              : "Salvar o Mapa do Ano em Arquivo CSV");
    if (bal) {
        DBGrid1->setFocus();
        return;
    }
    if (!m_mapComputed) {
        // Marked before the first computation, whatever it finds; later only the year button
        // recomputes.
        m_mapComputed = true;
        AnoMapa = year(DtIniBal);
        m_window = MapWindow::forMonth(DtIniBal.month());
        BalMapaView();
    }
    DBGridMapa->setFocus();
}

void TFormBalCalc::BalMapaView()
{
    m_mapOpen = false;
    m_mapa->setRows({});
    m_mapa->setYear(AnoMapa);
    BtPeriodoMapa->setText(mapYearCaption(AnoMapa));
    PanelBalMapa->setText(mapBandCaption(AnoMapa));
    {
        app::WaitCursor wait;
        m_map = ledger::BalMapaView(Book::of(m_dm), AnoMapa);
    }
    if (m_map.empty()) {
        setMapControlsEnabled(false);
        BtMapaPrior->setEnabled(false);
        BtMapaNext->setEnabled(false);
        app::Mensagem(texts::kNadaNoPeriodo, 0);
        return;
    }
    m_mapOpen = true;
    setMapControlsEnabled(true);
    MudarVisualizacaoMapa();
    BtMapaVisible(nullptr);
}

void TFormBalCalc::MudarVisualizacaoMapa()
{
    if (!m_mapOpen)
        return;
    m_mapa->setRows(ledger::MudarVisualizacaoMapa(m_map.rows, Nivel(ComboNivelMapa->currentIndex()),
                                                  Grupo(ComboGrupoMapa->currentIndex())));
    if (m_mapa->rowCount() > 0)
        DBGridMapa->setCurrentIndex(m_mapa->index(0, 0));
    DBGridMapa->setFocus();
}

void TFormBalCalc::BtMapaVisible(QObject *sender)
{
    PanelFindMapa->hide();
    if (sender == BtMapaNext)
        m_window.forward();
    else if (sender == BtMapaPrior)
        m_window.back();
    BtMapaPrior->setEnabled(m_mapOpen && m_window.canGoBack());
    BtMapaNext->setEnabled(m_mapOpen && m_window.canGoForward());
    BtMapaPrior->setProperty("Tag", m_window.P);
    BtMapaNext->setProperty("Tag", m_window.P + 1);
    const std::vector<int> shown = m_window.visibleColumns();
    for (int c = 0; c < 28; ++c)
        DBGridMapa->setColumnHidden(c, std::find(shown.begin(), shown.end(), c) == shown.end());
    DBGridMapa->setFocus();
}

bool TFormBalCalc::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == DBGridMapa) {
        auto *k = static_cast<QKeyEvent *>(event);
        if ((k->modifiers() & Qt::ControlModifier) &&
            (k->key() == Qt::Key_Right || k->key() == Qt::Key_Left)) {
            if (m_mapOpen)
                BtMapaVisible(k->key() == Qt::Key_Right ? BtMapaNext : BtMapaPrior);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormBalCalc::BtFindBalClick()
{
    const std::optional<SearchKey> key = readSearch(EditFindBal);
    if (!key)
        return;
    PanelFindBal->hide();
    const BcteRow *row = key->kind == SearchKey::Kind::Account ? m_tb.findExtCta(key->code)
                                                               : m_tb.findCta(key->number);
    locate(DBGrid1, ComboGrupo, ComboNivel, *key, row ? row->ExtCta : QString(),
           [this] { MudarVisualizacaoBalancete(); });
}

void TFormBalCalc::BtFindMapaClick()
{
    const std::optional<SearchKey> key = readSearch(EditFindMapa);
    if (!key)
        return;
    PanelFindMapa->hide();
    const MapaRow *row = nullptr;
    if (key->kind == SearchKey::Kind::Account) {
        row = m_map.findExtCta(key->code);
    } else {
        for (const MapaRow &r : m_map.rows)
            if (r.Nv == 3 && r.Cta == key->number)
                row = &r;
    }
    locate(DBGridMapa, ComboGrupoMapa, ComboNivelMapa, *key, row ? row->ExtCta : QString(),
           [this] { MudarVisualizacaoMapa(); });
}

bool TFormBalCalc::balAvailable()
{
    if (!m_tbOpen) {
        app::Mensagem(texts::kNaoDisponivel, 0);
        return false;
    }
    if (m_bcte->rowCount() == 0) {
        app::Mensagem(texts::kNenhumaVisivel, 0);
        ComboGrupo->setFocus();
        return false;
    }
    return true;
}

bool TFormBalCalc::level3Selected()
{
    const BcteRow *r = currentBalRow();
    if (!r || r->ExtCta.size() <= 6) {
        app::Mensagem(texts::kSo3Nivel, 0);
        return false;
    }
    return true;
}

void TFormBalCalc::BtBalSaveCSVClick()
{
    if (!balAvailable())
        return;
    QStringList titles{"Conta", "Red", "Nome da Conta"};
    titles << valueTitles(DtIniBal, DtFimBal, mode);
    app::saveCsvListing(
        this, "Balancete.CSV",
        trialBalanceCsv(accounts::csvUserOf(m_dm), PanelBal->text(), titles, m_bcte->rows()),
        "OK. Balancete gravado no arquivo \r\n");
}

void TFormBalCalc::BtCtaSaveCSVClick()
{
    if (!balAvailable() || !level3Selected())
        return;
    if (m_lctos->rowCount() == 0) {
        app::Mensagem(texts::kSemLctosCsv, 0);
        return;
    }
    const StatementPeriod p{PeriodoBal(DtIniBal, DtFimBal, mode), DtIniBal, DtFimBal,
                            QDateTime(app::today(), QTime::currentTime())};
    app::saveCsvListing(this, "ExtratoDeConta.CSV",
                        statementCsv(accounts::csvUserOf(m_dm), p, *currentBalRow(),
                                     m_lctos->rows(), CheckTotais->isChecked()),
                        "OK. Extrato de Conta gravado no arquivo \r\n");
}

void TFormBalCalc::BtSaveCSVClick()
{
    if (PageControl1->currentWidget() == TabBalMapa) {
        saveMapCsv();
        return;
    }
    if (!balAvailable())
        return;
    if (!showsLevel3(Nivel(ComboNivel->currentIndex()))) {
        app::Mensagem(texts::kNiveisExtratos, 0);
        ComboNivel->setFocus();
        return;
    }
    const StatementPeriod p{PeriodoBal(DtIniBal, DtFimBal, mode), DtIniBal, DtFimBal,
                            QDateTime(app::today(), QTime::currentTime())};
    app::saveCsvListing(this, "ExtratosDeTodasAsContas.CSV",
                        allStatementsCsv(accounts::csvUserOf(m_dm), p, m_bcte->rows(), m_ledger),
                        "OK. Extratos de Todas as Contas gravados no arquivo \r\n");
}

void TFormBalCalc::BtBalPrintClick()
{
    if (!balAvailable())
        return;
    reports::TRM rm(m_dm, this);
    rm.setParameter("ReportTitle1", PanelBal->text());
    rm.setParameter("SaldoAnt", saldoAntHeader(DtIniBal));
    rm.setParameter("Variacao", valueTitles(DtIniBal, DtFimBal, mode).value(1));
    rm.setParameter("SaldoAtual", saldoAtualHeader(DtFimBal));
    rm.setDataView("DvBcte", bcteView(m_bcte->rows()));
    rm.run("RepBcte");
    DBGrid1->setFocus();
}

void TFormBalCalc::BtCtaPrintClick()
{
    if (!balAvailable() || !level3Selected())
        return;
    if (m_lctos->rowCount() == 0) {
        app::Mensagem(texts::kSemLctosImprimir, 0);
        return;
    }
    reports::TRM rm(m_dm, this);
    rm.setParameter("ReportTitle1", "Extrato de Conta " + PeriodoBal(DtIniBal, DtFimBal, mode));
    rm.setParameter("TextSaldoAnt", textSaldoAnt(DtIniBal));
    rm.setParameter("TextSaldoAtual", textSaldoAtual(DtFimBal));
    rm.setDataView("DvBcte", bcteView(std::span<const BcteRow>(currentBalRow(), 1)));
    rm.setDataView("DvLctos", lctosView(m_lctos->rows()));
    rm.run(CheckTotais->isChecked() ? "RepExtratoDiario" : "RepExtrato");
    DBGrid1->setFocus();
}

void TFormBalCalc::BtPrintClick()
{
    // Prints the statements of every visible account; the map tab has nothing of this kind.
    if (PageControl1->currentWidget() == TabBalMapa)
        return;
    if (!balAvailable())
        return;
    if (!showsLevel3(Nivel(ComboNivel->currentIndex()))) {
        app::Mensagem(texts::kNiveisExtratos, 0);
        ComboNivel->setFocus();
        return;
    }
    reports::TRM rm(m_dm, this);
    rm.setParameter("ReportTitle1",
                    "Relação de Extratos de Contas " + PeriodoBal(DtIniBal, DtFimBal, mode));
    rm.setDataView("DvBcte", bcteView(m_bcte->rows()));
    rm.setDataView("DvLcPrn", lctosView(m_ledger.rows()));
    rm.run("RepRazao");
}

void TFormBalCalc::saveMapCsv()
{
    if (!m_mapOpen || m_mapa->rowCount() == 0) {
        app::Mensagem(texts::kMapaIndisponivel, 0);
        return;
    }
    app::saveCsvListing(
        this, "BalanceteMapaDoAno.CSV",
        yearMapCsv(accounts::csvUserOf(m_dm), PanelBalMapa->text(), AnoMapa, m_mapa->rows()),
        "OK. Balancete [Mapa do Ano] gravado no arquivo \r\n");
}

void TFormBalCalc::CheckTotaisClick()
{
    data::Table *u = m_dm.TbUser;
    u->edit();
    u->setValue("ExtratoTotDiario", CheckTotais->isChecked());
    u->post();
}

} // namespace ledger
