#include "UMain.h"

#include "entrylist.h"

#include <accounts/UCtaView.h>
#include <accounts/UHstoView.h>
#include <accounts/mainactions.h>
#include <app/application.h>
#include <app/csvwriter.h>
#include <app/dates.h>
#include <app/error.h>
#include <app/format.h>
#include <app/helptag.h>
#include <app/keyfilters.h>
#include <app/mainactions.h>
#include <app/mensagem.h>
#include <app/random.h>
#include <app/waitcursor.h>
#include <assets/assetspage.h>
#include <assets/mainactions.h>
#include <budget/mainactions.h>
#include <calc/mainactions.h>
#include <data/UDM.h>
#include <data/gridlink.h>
#include <data/tablemodel.h>
#include <entries/UData.h>
#include <entries/UFinEdit.h>
#include <entries/entrygrid.h>
#include <entries/historylist.h>
#include <entries/mainactions.h>
#include <entries/period.h>
#include <entries/saldolabels.h>
#include <entries/searchactions.h>
#include <entries/session.h>
#include <help/UAbout.h>
#include <help/UBiblia.h>
#include <help/UHelpFast.h>
#include <help/infocodes.h>
#include <help/infopages.h>
#include <help/panelpick.h>
#include <ledger/mainactions.h>
#include <ofx/mainactions.h>
#include <users/UUser.h>
#include <users/mainactions.h>

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <optional>

namespace main_ui {

static const char *const kTitle = "Quorvila :: Finanças Pessoais";
static const QColor kPanel("#D9EAD9");
static const QColor kValue("#ECF4EC");

// ---------------------------------------------------------------- the grid's drawing

namespace {

// The widest text an amount of the books can have; the grid's amount column and the figures are
// made wide enough for it, so that no amount loses leading digits or its sign.
QString widestAmount()
{
    return app::formatMoney(app::Money::fromCentavos(-app::kMaxAmountCentavos));
}

// The figures' block under the grid, right-aligned with it: a value column as wide as the widest
// amount in bold with its two trailing blanks, and a caption column as wide as the longest
// caption (at least their classic 80 and 148 pixels). The panel of the current entry on its left
// gives up what the block needs beyond its classic left edge, 388.
struct FiguresBlock
{
    int left, valueWidth;
};
FiguresBlock figuresBlock(const QFont &pageFont)
{
    QFont f = pageFont;
    f.setPointSizeF(7.5);
    const int plain = QFontMetrics(f).horizontalAdvance(" Saldo Anterior (00/00/0000)");
    f.setBold(true); // the last two rows
    const int caption =
        std::max(plain, QFontMetrics(f).horizontalAdvance(" Saldo Atual (00/00/0000)")) + 2;
    const int value = QFontMetrics(f).horizontalAdvance(widestAmount() + "  ") + 1;
    const int valueWidth = std::max(80, value);
    return {std::min(388, 617 - valueWidth - 1 - std::max(148, caption)), valueWidth};
}

} // namespace

// The grid's titles: the column of the active order marked with the dialog colour.
class FinGridHeader : public QHeaderView
{
public:
    explicit FinGridHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionsClickable(true);
        setHighlightSections(false);
    }
    void setMarked(int s)
    {
        m_marked = s;
        viewport()->update();
    }
    int marked() const { return m_marked; }

protected:
    void paintSection(QPainter *p, const QRect &rect, int section) const override
    {
        p->save();
        p->fillRect(rect, section == m_marked ? kPanel : palette().button().color());
        p->setPen(palette().mid().color());
        p->drawRect(rect.adjusted(0, 0, -1, -1));
        static const QList<int> navy = {0, 1, 4};
        p->setPen(navy.contains(section) ? QColor("#000080") : palette().buttonText().color());
        const Qt::Alignment a = section <= 3   ? Qt::AlignCenter
                                : section == 4 ? Qt::AlignRight | Qt::AlignVCenter
                                               : Qt::AlignLeft | Qt::AlignVCenter;
        p->drawText(rect.adjusted(3, 0, -3, 0), int(a),
                    model()->headerData(section, Qt::Horizontal).toString());
        p->restore();
    }

private:
    int m_marked = -1;
};

// ---------------------------------------------------------------- construction

// A button of the reflection or verse panel, its hint its caption; off until a page is picked,
// and carrying no page (Tag 0).
static QPushButton *panelButton(QWidget *panel, const char *name, const QString &caption,
                                const QRect &geometry)
{
    auto *b = new QPushButton(caption, panel);
    b->setObjectName(name);
    b->setToolTip(caption);
    b->setGeometry(geometry);
    b->setEnabled(false);
    app::setHelpTag(b, 0);
    return b;
}

TFormMainQuorvila_Zx3307::TFormMainQuorvila_Zx3307(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("TFormMainQuorvila_Zx3307");
    setWindowTitle(kTitle);
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    createActions();
    createMenus();

    auto *central = new QWidget;
    central->setObjectName("ClientArea");
    central->setFixedSize(774, 554);
    setCentralWidget(central);
    QWidget *left = createLeftColumn();
    left->setParent(central);
    left->setGeometry(0, 0, 141, 440);

    auto *panelMain = new QWidget(central);
    panelMain->setObjectName("PanelMain");
    panelMain->setGeometry(143, 2, 629, 440);
    m_pages = new QTabWidget(panelMain);
    m_pages->setObjectName("PageControl1");
    m_pages->setGeometry(0, 0, 629, 440);
    m_tabHome = createHomePage();
    m_tabFin = createFinPage();
    m_tabBens = new QWidget;
    m_tabBens->setObjectName("TabBens");
    m_pages->addTab(m_tabHome, "Quorvila");
    m_pages->addTab(m_tabFin, "Controle Financeiro");
    m_pages->addTab(m_tabBens, "Controle de Bens");
    QFont bold = m_pages->tabBar()->font();
    bold.setBold(true);
    m_pages->tabBar()->setFont(bold);

    m_btPeriodo = new QPushButton(panelMain);
    m_btPeriodo->setObjectName("BtPeriodo");
    m_btPeriodo->setToolTip("Período");
    m_btPeriodo->setGeometry(629 - 150, 0, 148, 24);
    m_btPeriodo->setEnabled(false);
    m_btPeriodo->installEventFilter(this);

    auto *palavra = new QFrame(central);
    palavra->setObjectName("PanelPalavra");
    palavra->setGeometry(0, 444, 774, 110);
    palavra->setAutoFillBackground(true);
    palavra->setStyleSheet("QFrame#PanelPalavra { background: #ECF4EC; }");
    // The verse picture; a verse without a picture shows its title instead.
    m_image1 = new QLabel(palavra);
    m_image1->setObjectName("Image1");
    m_image1->setAccessibleName("Versículo");
    m_image1->setGeometry(10, 8, 600, 90);
    m_image1->setAlignment(Qt::AlignCenter);
    m_image1->setWordWrap(true);
    m_image1->setTextFormat(Qt::PlainText);
    app::setHelpTag(m_image1, 0);
    m_image1->installEventFilter(this);
    m_btOutroVersiculo =
        panelButton(palavra, "BtOutroVersiculo", "Outro Versículo", {640, 20, 120, 26});
    m_btLerVersiculo =
        panelButton(palavra, "BtLerVersiculo", "Leia o Contexto", {640, 56, 120, 26});

    connectActions();
    // On small screens the window starts at the very top.
    const QScreen *screen = QApplication::primaryScreen();
    const bool small = screen && screen->geometry().width() <= 800;
    move(10, small ? 0 : 5);
    adjustSize();
    setFixedSize(sizeHint());
}

TFormMainQuorvila_Zx3307::~TFormMainQuorvila_Zx3307()
{
    endSession();
}

void TFormMainQuorvila_Zx3307::createActions()
{
    const auto action = [this](QAction *&a, const char *name, const QString &caption,
                               bool enabled = true) {
        a = new QAction(caption, this);
        a->setObjectName(name);
        a->setEnabled(enabled);
    };
    // The commands created disabled are enabled by the module that owns their screen, when it
    // wires them at start-up (the setupMainActions of each folder).
    action(ActionPreferencias, "ActionPreferencias", "&Informações e Preferências do Usuário");
    action(ActionUserBackup, "ActionUserBackup", "&Backup dos Arquivos do Usuário");
    action(ActionChangeUser, "ActionChangeUser", "Alternar &Usuário");
    action(ActionUserMng, "ActionUserMng", "&Gerenciar Usuários");
    action(ActionFechar, "ActionFechar", "&Fechar");
    action(ActionFuncionalidades, "ActionFuncionalidades", "Funcionalidades do &Sistema", false);
    action(ActionIrParaFin, "ActionIrParaFin", "Controle &Financeiro");
    action(ActionIncluirFin, "ActionIncluirFin", "&Incluir Lançamento");
    action(ActionEditarFin, "ActionEditarFin", "&Editar Lançamento");
    action(ActionExcluirFin, "ActionExcluirFin", "E&xcluir Lançamento");
    action(ActionReplicarFin, "ActionReplicarFin", "&Replicar Lançamento");
    action(ActionLocalizarFin, "ActionLocalizarFin", "&Localizar...");
    action(ActionMarcarTodosOk, "ActionMarcarTodosOk", "Marcar Todos como O&k");
    action(ActionImportarOFX, "ActionImportarOFX", "Importar &OFX", false);
    action(ActionBalancete, "ActionBalancete", "Balancetes e &Saldos");
    action(ActionOrcamento, "ActionOrcamento", "&Orçamento");
    action(ActionPlanoCta, "ActionPlanoCta", "&Plano de Contas");
    action(ActionHsto, "ActionHsto", "&Histórico Padrão");
    // The asset commands are enabled by assets::setupMainActions.
    action(ActionIrParaBens, "ActionIrParaBens", "Controle de Bens", false);
    action(ActionIncluirBem, "ActionIncluirBem", "&Incluir Bem", false);
    action(ActionEditarBem, "ActionEditarBem", "&Editar Bem", false);
    action(ActionExcluirBem, "ActionExcluirBem", "E&xcluir Bem", false);
    action(ActionReplicarBem, "ActionReplicarBem", "Replicar &Bem", false);
    action(ActionLocalizarBem, "ActionLocalizarBem", "&Localizar...", false);
    action(ActionCategorias, "ActionCategorias", "Categorias de Bens", false);
    action(ActionEducFin, "ActionEducFin", "E&ducação Financeira");
    action(ActionMatFin, "ActionMatFin", "&Cálculos Financeiros", false);
    action(ActionHelpFast, "ActionHelpFast", "Ajuda &Rápida");
    action(ActionProposito, "ActionProposito", "Propósito " + app::productWebAddress(), false);
    action(ActionHelpConhecendo, "ActionHelpConhecendo",
           "C&onhecendo o Quorvila :: Finanças Pessoais", false);
    action(ActionHelpComoIniciaroUso, "ActionHelpComoIniciaroUso",
           "Como Iniciar o Controle &Financeiro", false);
    action(ActionOqueeControleDeBens, "ActionOqueeControleDeBens", "O Controle de &Bens", false);
    action(ActionHelpComoApoiar, "ActionHelpComoApoiar", "&Como Você pode Apoiar!");
    action(ActionDoacao, "ActionDoacao", "Faça uma &Doação!");
    action(ActionSobre, "ActionSobre", "&Sobre...");
    // The about box opens on the page its command's Tag names.
    ActionSobre->setProperty("Tag", help::TFormAbout::Sobre);
    ActionHelpComoApoiar->setProperty("Tag", help::TFormAbout::ComoApoiar);
    ActionDoacao->setProperty("Tag", help::TFormAbout::Doacao);
}

void TFormMainQuorvila_Zx3307::createMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *users = bar->addMenu("&Usuários");
    users->addActions({ActionPreferencias, ActionUserBackup});
    users->addSeparator();
    users->addActions({ActionChangeUser, ActionUserMng});
    users->addSeparator();
    users->addAction(ActionFechar);

    QMenu *func = bar->addMenu("&Funcionalidades");
    func->addAction(ActionFuncionalidades);
    func->addSeparator();
    QMenu *fin = func->addMenu("Controle &Financeiro");
    fin->addAction(ActionIrParaFin);
    QMenu *lanc = fin->addMenu("&Lançamentos");
    lanc->addActions({ActionIncluirFin, ActionEditarFin, ActionExcluirFin});
    lanc->addSeparator();
    lanc->addAction(ActionReplicarFin);
    lanc->addSeparator();
    lanc->addActions({ActionLocalizarFin, ActionMarcarTodosOk});
    lanc->addSeparator();
    lanc->addAction(ActionImportarOFX);
    fin->addSeparator();
    fin->addActions({ActionBalancete, ActionOrcamento});
    fin->addSeparator();
    fin->addActions({ActionPlanoCta, ActionHsto});
    QMenu *bens = func->addMenu("Controle de &Bens");
    // The menu item reads "&Controle de Bens" and "C&ategorias de Bens"; the buttons drop the &.
    auto *irBens = bens->addAction("&Controle de Bens");
    connect(irBens, &QAction::triggered, ActionIrParaBens, &QAction::trigger);
    connect(ActionIrParaBens, &QAction::changed, irBens,
            [this, irBens] { irBens->setEnabled(ActionIrParaBens->isEnabled()); });
    irBens->setEnabled(false);
    QMenu *bensSub = bens->addMenu("&Bens");
    bensSub->addActions({ActionIncluirBem, ActionEditarBem, ActionExcluirBem});
    bensSub->addSeparator();
    bensSub->addAction(ActionReplicarBem);
    bensSub->addSeparator();
    bensSub->addAction(ActionLocalizarBem);
    bens->addSeparator();
    auto *cats = bens->addAction("C&ategorias de Bens");
    connect(cats, &QAction::triggered, ActionCategorias, &QAction::trigger);
    connect(ActionCategorias, &QAction::changed, cats,
            [this, cats] { cats->setEnabled(ActionCategorias->isEnabled()); });
    cats->setEnabled(false);
    func->addSeparator();
    func->addActions({ActionEducFin, ActionMatFin});

    QMenu *help = bar->addMenu("&Ajuda");
    help->addAction(ActionHelpFast);
    help->addSeparator();
    help->addActions({ActionProposito, ActionHelpConhecendo});
    help->addSeparator();
    help->addActions({ActionHelpComoApoiar, ActionDoacao});
    help->addSeparator();
    help->addAction(ActionSobre);

    // Opening the menu bar hides the find panel.
    for (QMenu *m : {users, func, help})
        connect(m, &QMenu::aboutToShow, this, [this] {
            if (m_findPanel)
                m_findPanel->hide();
        });
}

QWidget *TFormMainQuorvila_Zx3307::createLeftColumn()
{
    auto *col = new QWidget;
    col->setObjectName("PanelLeft");
    const auto button = [col](QAction *a, const char *name, const QString &caption, int y) {
        auto *b = new QToolButton(col);
        b->setObjectName(name);
        b->setText(caption);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setGeometry(6, y, 128, 44);
        b->setEnabled(a->isEnabled());
        QObject::connect(b, &QToolButton::clicked, a, &QAction::trigger);
        QObject::connect(a, &QAction::changed, b, [a, b] { b->setEnabled(a->isEnabled()); });
        return b;
    };
    button(ActionHelpFast, "BtHelpFast", "&Ajuda Rápida", 6);
    button(ActionEducFin, "BtBiblia", "Educação Financeira", 54);
    button(ActionMatFin, "BtMatFin", "Cálculos Financeiros", 102);

    auto *dica = new QFrame(col);
    dica->setObjectName("PanelDica");
    dica->setGeometry(6, 156, 128, 280);
    dica->setStyleSheet("QFrame#PanelDica { background: #ECF4EC; border: 1px solid #A9C4A9; }");
    auto *title = new QLabel("Reflexão", dica);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    title->setGeometry(6, 4, 116, 18);
    m_labelDica = new QLabel(dica);
    m_labelDica->setObjectName("LabelDica");
    m_labelDica->setAccessibleName("Reflexão");
    m_labelDica->setTextFormat(Qt::PlainText); // stored text, never markup
    m_labelDica->setWordWrap(true);
    m_labelDica->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_labelDica->setGeometry(6, 24, 116, 190);
    app::setHelpTag(m_labelDica, 0);
    m_labelDica->installEventFilter(this);
    m_btOutraDica = panelButton(dica, "BtOutraDica", "Outra Reflexão", {6, 218, 116, 24});
    m_btLeiaMais = panelButton(dica, "BtLeiaMais", "Leia mais...", {6, 248, 116, 24});
    return col;
}

QWidget *TFormMainQuorvila_Zx3307::createHomePage()
{
    auto *page = new QWidget;
    page->setObjectName("TabHome");
    auto *logo = new QLabel("Quorvila", page);
    logo->setObjectName("LabelLogo");
    QFont lf = logo->font();
    lf.setPointSize(28);
    lf.setBold(true);
    logo->setFont(lf);
    logo->setStyleSheet("color: #437043;");
    logo->setAlignment(Qt::AlignCenter);
    logo->setGeometry(0, 60, 625, 60);
    const QStringList motto = app::productMotto();
    auto *lema = new QLabel(motto.join("\n"), page);
    lema->setObjectName("LabelLema");
    QFont mf = lema->font();
    mf.setBold(true);
    lema->setFont(mf);
    lema->setStyleSheet("color: #808000;");
    lema->setAlignment(Qt::AlignCenter);
    lema->setGeometry(0, 170, 625, 60);
    auto *versao = new QLabel("Software Gratuito de Finanças Pessoais - Versão 1.0", page);
    versao->setObjectName("LabelVersao");
    versao->setAlignment(Qt::AlignCenter);
    versao->setGeometry(0, 300, 625, 24);
    return page;
}

QWidget *TFormMainQuorvila_Zx3307::createFinPage()
{
    auto *page = new QWidget;
    page->setObjectName("TabFin");
    const auto button = [page](const char *name, const QString &caption, int x, int w) {
        auto *b = new QPushButton(caption, page);
        b->setObjectName(name);
        b->setGeometry(x, 4, w, 26);
        b->setAutoDefault(false);
        return b;
    };
    auto *btFin = button("BtFin", "Plano", 4, 52);
    btFin->setToolTip("Plano de Contas");
    auto *btFinOp = button("BtFinOp", "▾", 56, 16);
    auto *incluir = button("BtIncluir", "&Incluir Lançamento", 78, 130);
    auto *incluirOp = button("BtIncluirOp", "▾", 208, 16);
    auto *editar = button("BtEditar", "&Editar", 230, 64);
    auto *excluir = button("BtExcluir", "E&xcluir", 298, 64);
    auto *pesquisar = button("BtPesquisar", "&Pesquisar", 366, 76);
    pesquisar->setEnabled(false); // until the data module wires it
    auto *count = new QLabel(page);
    count->setObjectName("LabelRecCount");
    count->setGeometry(450, 8, 80, 20);
    auto *help = button("BtFinHelp", "?", 590, 26);
    // The help comes up over the grid, not under a find panel left open.
    app::wireHelp(help, 2038, [this] {
        if (m_findPanel)
            m_findPanel->hide();
    });

    auto *popupFin = new QMenu(this);
    popupFin->setObjectName("PopupFin");
    popupFin->addAction(ActionHelpComoIniciaroUso);
    popupFin->addSeparator();
    popupFin->addActions({ActionPlanoCta, ActionHsto});
    auto *popupIncluir = new QMenu(this);
    popupIncluir->setObjectName("PopupFinIncluir");
    popupIncluir->addActions({ActionIncluirFin, ActionReplicarFin});
    popupIncluir->addSeparator();
    popupIncluir->addAction(ActionImportarOFX);
    const auto popupAt = [this](QMenu *m, QPushButton *b) {
        // Below the arrow, a little to its right, in screen coordinates.
        m->popup(b->mapToGlobal(QPoint(10, b->height() + 2)));
    };
    connect(btFin, &QPushButton::clicked, ActionPlanoCta, &QAction::trigger);
    connect(btFinOp, &QPushButton::clicked, this, [=] { popupAt(popupFin, btFinOp); });
    connect(incluir, &QPushButton::clicked, ActionIncluirFin, &QAction::trigger);
    connect(incluirOp, &QPushButton::clicked, this, [=] { popupAt(popupIncluir, incluirOp); });
    connect(editar, &QPushButton::clicked, ActionEditarFin, &QAction::trigger);
    connect(excluir, &QPushButton::clicked, ActionExcluirFin, &QAction::trigger);

    createGrid(page);
    createFigures(page);
    createFindPanel(page);

    const auto bottom = [page](QAction *a, const char *name, const QString &caption, int x) {
        auto *b = new QPushButton(caption, page);
        b->setObjectName(name);
        b->setGeometry(x, 382, 150, 24);
        b->setAutoDefault(false);
        b->setEnabled(a ? a->isEnabled() : false);
        if (a)
            QObject::connect(b, &QPushButton::clicked, a, &QAction::trigger);
        return b;
    };
    bottom(ActionBalancete, "BtBalancete", "Balancetes e &Saldos", 4);
    bottom(ActionOrcamento, "BtOrcamento", "&Orçamento", 158);
    bottom(nullptr, "BtProximos", "P&róximos Dias", 312); // the upcoming entries screen
    return page;
}

void TFormMainQuorvila_Zx3307::createGrid(QWidget *page)
{
    m_grid = new QTableView(page);
    m_grid->setObjectName("DBGridFin");
    m_grid->setGeometry(4, 34, 613, 272);
    entries::setupEntryGrid(m_grid);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    m_header = new FinGridHeader(m_grid);
    m_grid->setHorizontalHeader(m_header);

    auto *popupGrid = new QMenu(this);
    popupGrid->setObjectName("PopupDBGridFin");
    popupGrid->addAction(ActionReplicarFin);
    popupGrid->addSeparator();
    popupGrid->addActions({ActionIncluirFin, ActionEditarFin, ActionExcluirFin});
    popupGrid->addSeparator();
    popupGrid->addActions({ActionLocalizarFin, ActionMarcarTodosOk});
    popupGrid->addSeparator();
    popupGrid->addAction(ActionImportarOFX);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this, popupGrid](const QPoint &p) {
        popupGrid->popup(m_grid->viewport()->mapToGlobal(p));
    });
    m_popupOk = new QMenu(this);
    m_popupOk->setObjectName("PopupOk");
    m_popupOk->addAction(ActionMarcarTodosOk);
    connect(m_header, &QHeaderView::sectionClicked, this,
            [this](int s) { app::guarded([this, s] { DBGridFinTitleClick(s); }); });
    connect(m_grid, &QAbstractItemView::doubleClicked, ActionEditarFin, &QAction::trigger);

    auto *panel = new QFrame(page);
    panel->setObjectName("PanelCamposAdicionais");
    const int pw = figuresBlock(page->font()).left - 8;
    panel->setGeometry(4, 310, pw, 68);
    const auto caption = [panel](const QString &t, int y) {
        auto *l = new QLabel(t, panel);
        l->setGeometry(0, y, 92, 20);
        l->setAutoFillBackground(true);
        l->setStyleSheet("background: #D9EAD9; padding-left: 3px;");
    };
    const auto value = [panel](const char *name, int x, int y, int w) {
        auto *l = new QLabel(panel);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText); // stored text, never markup
        l->setGeometry(x, y, w, 20);
        l->setStyleSheet("background: #ECF4EC; padding-left: 3px;");
        return l;
    };
    caption("Conta Destino:", 2);
    caption("Conta Origem:", 24);
    caption("Anotação:", 46);
    m_ctaDeb = value("DBTextCtaDeb", 94, 2, 34);
    m_contaDestino = value("DBTextContaDestino", 130, 2, pw - 130);
    m_ctaCred = value("DBTextCtaCred", 94, 24, 34);
    m_contaOrigem = value("DBTextContaOrigem", 130, 24, pw - 130);
    m_obs = value("DBTextObs", 94, 46, pw - 94);
}

void TFormMainQuorvila_Zx3307::createFigures(QWidget *page)
{
    const char *names[] = {"LabelCapSlAnt",  "LabelSlAnt",        "LabelCapSlReceita",
                           "LabelSlReceita", "LabelCapSlDespesa", "LabelSlDespesa",
                           "LabelCapSlAtu",  "LabelSlAtu",        "LabelCapSlHoje",
                           "LabelSlHoje"};
    const FiguresBlock b = figuresBlock(page->font());
    for (int i = 0; i < 10; ++i) {
        auto *l = new QLabel(page);
        l->setObjectName(names[i]);
        const int row = i / 2;
        const bool isValue = i % 2 == 1;
        l->setGeometry(isValue ? 617 - b.valueWidth : b.left, 310 + row * 14,
                       isValue ? b.valueWidth : 617 - b.valueWidth - 1 - b.left, 14);
        l->setAlignment(isValue ? Qt::AlignRight | Qt::AlignVCenter
                                : Qt::AlignLeft | Qt::AlignVCenter);
        l->setStyleSheet(isValue ? "background: #ECF4EC;" : "background: #D9EAD9;");
        QFont f = l->font();
        f.setPointSizeF(7.5);
        if (row >= 3)
            f.setBold(true);
        l->setFont(f);
        m_figures[i] = l;
    }
    m_figures[10] = page->findChild<QLabel *>("LabelRecCount");
}

void TFormMainQuorvila_Zx3307::createFindPanel(QWidget *page)
{
    m_findPanel = new QFrame(page);
    m_findPanel->setObjectName("PanelFindFin");
    m_findPanel->setFrameShape(QFrame::Box);
    m_findPanel->setStyleSheet("QFrame#PanelFindFin { background: #D9EAD9; }");
    m_findPanel->setGeometry(4 + (613 - 220) / 2, 34 + (272 - 64) / 2, 220, 64);
    auto *title = new QLabel("Localizar Código ou Data", m_findPanel);
    title->setGeometry(8, 4, 204, 18);
    m_editFind = new QLineEdit(m_findPanel);
    m_editFind->setObjectName("EditFindFin");
    m_editFind->setMaxLength(10);
    m_editFind->setValidator(new app::CharsetValidator("0-9/", m_editFind));
    m_editFind->setGeometry(8, 28, 120, 24);
    m_editFind->installEventFilter(this);
    auto *go = new QPushButton("Localizar", m_findPanel);
    go->setObjectName("BtFindFin");
    go->setGeometry(134, 27, 78, 26);
    go->setFocusPolicy(Qt::NoFocus);
    connect(go, &QPushButton::clicked, this, [this] { app::guarded([this] { runFind(); }); });
    m_findPanel->hide();
}

void TFormMainQuorvila_Zx3307::connectActions()
{
    const auto on = [this](QAction *a, void (TFormMainQuorvila_Zx3307::*fn)()) {
        connect(a, &QAction::triggered, this,
                [this, fn] { app::guarded([this, fn] { (this->*fn)(); }); });
    };
    connect(ActionChangeUser, &QAction::triggered, this, [this] {
        // The sign-in dialog comes up over the home page, not over the previous user's entries.
        m_pages->setCurrentWidget(m_tabHome);
        Q_EMIT changeUserRequested();
    });
    connect(ActionFechar, &QAction::triggered, this, &QWidget::close);
    on(ActionIrParaFin, &TFormMainQuorvila_Zx3307::showFinPage);
    on(ActionIncluirFin, &TFormMainQuorvila_Zx3307::ActionIncluirFinExecute);
    on(ActionEditarFin, &TFormMainQuorvila_Zx3307::ActionEditarFinExecute);
    on(ActionExcluirFin, &TFormMainQuorvila_Zx3307::ActionExcluirFinExecute);
    on(ActionReplicarFin, &TFormMainQuorvila_Zx3307::ActionReplicarFinExecute);
    on(ActionMarcarTodosOk, &TFormMainQuorvila_Zx3307::ActionMarcarTodosOkExecute);
    connect(ActionLocalizarFin, &QAction::triggered, this,
            [this] { app::guarded([this] { ActionLocalizarFinExecute(); }); });
    // The help commands open their page of the information base (and are enabled by it).
    app::wireHelp(ActionFuncionalidades, 2003);
    app::wireHelp(ActionProposito, 2001);
    app::wireHelp(ActionHelpConhecendo, 2007);
    app::wireHelp(ActionHelpComoIniciaroUso, 2004);
    app::wireHelp(ActionOqueeControleDeBens, 2002);

    on(ActionHelpFast, &TFormMainQuorvila_Zx3307::ActionHelpFastExecute);
    on(ActionEducFin, &TFormMainQuorvila_Zx3307::ActionEducFinExecute);
    for (QAction *a : {ActionSobre, ActionHelpComoApoiar, ActionDoacao})
        connect(a, &QAction::triggered, this,
                [this, a] { app::guarded([this, a] { openAbout(a->property("Tag").toInt()); }); });
    const auto click = [this](QPushButton *b, auto fn) {
        connect(b, &QPushButton::clicked, this, [this, fn] { app::guarded([this, fn] { fn(); }); });
    };
    click(m_btOutraDica, [this] { BtOutraDicaClick(); });
    click(m_btOutroVersiculo, [this] { BtOutroVersiculoClick(); });
    click(m_btLeiaMais, [this] { openPanelPage(m_btLeiaMais); });
    click(m_btLerVersiculo, [this] { openPanelPage(m_btLerVersiculo); });
}

// ---------------------------------------------------------------- the signed-in user

void TFormMainQuorvila_Zx3307::setDataModule(data::TDM *dm)
{
    m_dm = dm;
    m_hstoView = new accounts::TFormHstoView(*dm, this);
    m_ctaView = new accounts::TFormCtaView(*dm, this);
    m_data = new entries::TFormData(this);

    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    std::vector<data::TableModel::Column> cols = {
        {"Codigo", "Código", Qt::AlignCenter,
         [](const QVariant &v) {
             return v.isNull() ? QString() : app::formatNumber(v.toLongLong(), "000000");
         }},
        {"Data", "Data", Qt::AlignCenter,
         [](const QVariant &v) {
             return app::formatDate(v.toDate());
         }},
        {"CtaDeb", "Dest", right, {}},
        {"CtaCred", "Orig", right, {}},
        {"Valor", "Valor ", right,
         [](const QVariant &v) {
             return v.isNull() ? QString()
                               : app::formatMoney(app::Money::fromCentavos(v.toLongLong()));
         }},
        {"Hsto", "Histórico", left, {}},
        {"NumDoc", "Num Doc", left, {}},
        {"Confirmado", "OK", left,
         [](const QVariant &v) {
             return v.toBool() ? "Ok" : "--";
         }},
    };
    m_model = std::make_unique<data::TableModel>(dm->TbFin, std::move(cols));
    m_grid->setModel(m_model.get());
    const int deb = dm->TbFin->def().indexOf("CtaDeb");
    const int cred = dm->TbFin->def().indexOf("CtaCred");
    m_grid->setItemDelegate(new entries::EntryGridDelegate(m_grid, [this, deb, cred](int row) {
        const data::Record &r = m_model->record(row);
        return std::pair(r.values.value(deb).toLongLong(), r.values.value(cred).toLongLong());
    }));
    entries::setEntryGridColumns(m_grid);
    m_link = new data::GridTableLink(m_grid, dm->TbFin, [] { return true; });
    connect(dm->TbFin, &data::Table::currentChanged, this, [this] { refreshCurrentPanel(); });
    setupFolderActions();
}

// Each folder wires the commands it owns; the window supplies its own steps.
void TFormMainQuorvila_Zx3307::setupFolderActions()
{
    app::MainActions main;
    main.window = this;
    main.ActionPlanoCta = ActionPlanoCta;
    main.ActionHsto = ActionHsto;
    main.ActionPreferencias = ActionPreferencias;
    main.ActionUserBackup = ActionUserBackup;
    main.ActionUserMng = ActionUserMng;
    main.ActionBalancete = ActionBalancete;
    main.ActionMatFin = ActionMatFin;
    main.ActionOrcamento = ActionOrcamento;
    main.BtPeriodo = m_btPeriodo;
    main.showHomePage = [this] {
        m_pages->setCurrentWidget(m_tabHome);
    };
    main.showFinPage = [this] {
        m_pages->setCurrentWidget(m_tabFin);
    };
    main.entriesChanged = [this] {
        recalcSaldos();
        m_grid->setFocus();
    };
    main.userChanged = [this] {
        setSignedInCaption(m_dm->CodUsuario(), m_dm->TbUser->asString("Nome"));
    };
    main.reopenUser = [this] {
        return InicializarUsuario();
    };
    main.signInAgain = [this] {
        clearSignedInCaption();
        Q_EMIT changeUserRequested();
    };
    main.periodChanged = [this] {
        refreshPeriodCaption();
        recalcSaldos();
        if (m_assets)
            m_assets->periodChanged();
    };
    main.focusPage = [this] {
        m_pages->currentWidget()->setFocus();
    };

    accounts::setupMainActions(main, *m_dm);
    entries::setupMainActions(main, *m_dm, *m_data, [this] { return m_session.get(); });
    users::setupMainActions(main, *m_dm);
    ledger::setupMainActions(main, *m_dm, [this] { return m_session.get(); });
    entries::setupSearchActions(main, *m_dm,
                                {m_tabFin->findChild<QPushButton *>("BtPesquisar"),
                                 m_tabFin->findChild<QPushButton *>("BtProximos"), m_ctaView,
                                 [this] { return m_session.get(); },
                                 [this](qint64 codigo) {
                                     data::Table *fin = m_dm->TbFin;
                                     fin->setFilter({});
                                     fin->setIndexName({}); // the entry's code is the key
                                     fin->findKey({codigo});
                                     sortBy("IdxData", 1);
                                 }});
    ofx::setupMainActions(main, *m_dm,
                          {ActionImportarOFX, m_ctaView, [this] { return m_session != nullptr; },
                           [this] {
                               sortBy({}, 0);
                           }});
    calc::setupMainActions(main, *m_dm);
    budget::setupMainActions(main, *m_dm, [this] { return m_session.get(); });
    main.ActionIrParaBens = ActionIrParaBens;
    main.ActionIncluirBem = ActionIncluirBem;
    main.ActionEditarBem = ActionEditarBem;
    main.ActionExcluirBem = ActionExcluirBem;
    main.ActionReplicarBem = ActionReplicarBem;
    main.ActionLocalizarBem = ActionLocalizarBem;
    main.ActionCategorias = ActionCategorias;
    main.ActionOqueeControleDeBens = ActionOqueeControleDeBens;
    m_assets = assets::setupMainActions(
        main, *m_dm, [this] { return m_session.get(); }, m_pages, m_tabBens);
}

void TFormMainQuorvila_Zx3307::refreshCurrentPanel()
{
    data::Table *t = m_dm->TbFin;
    const bool any = t->isActive() && !t->isEmpty();
    m_ctaDeb->setText(any ? t->asString("CtaDeb") : QString());
    m_contaDestino->setText(any ? t->asString("ContaDestino") : QString());
    m_ctaCred->setText(any ? t->asString("CtaCred") : QString());
    m_contaOrigem->setText(any ? t->asString("ContaOrigem") : QString());
    m_obs->setText(any ? t->asString("Obs") : QString());
}

void TFormMainQuorvila_Zx3307::setSignedInCaption(const QString &cod, const QString &nome)
{
    setWindowTitle(QString(kTitle) + "  [" + cod + "  " + nome + "]");
}

void TFormMainQuorvila_Zx3307::clearSignedInCaption()
{
    setWindowTitle(kTitle);
}

void TFormMainQuorvila_Zx3307::recalcSaldos()
{
    if (!m_session)
        return; // nobody signed in: no figures to show
    app::WaitCursor wait;
    m_session->balances().CalcularSaldos(m_session->period());
    entries::RefreshLabelsSaldos({m_figures[0], m_figures[1], m_figures[2], m_figures[3],
                                  m_figures[4], m_figures[5], m_figures[6], m_figures[7],
                                  m_figures[8], m_figures[9], m_figures[10]},
                                 *m_session);
}

void TFormMainQuorvila_Zx3307::refreshPeriodCaption()
{
    m_btPeriodo->setText(app::formatDate(m_session->period().DtIni, "MMMM/yyyy"));
}

// Precondition: the user's tables are open and TbUser is on the user's record.
void TFormMainQuorvila_Zx3307::startSession()
{
    m_session = std::make_unique<entries::Session>(m_dm->db(), *m_dm->TbFin);
}

entries::TFormFinEdit *TFormMainQuorvila_Zx3307::finEdit()
{
    if (!m_finEdit && m_session) {
        m_finEdit = new entries::TFormFinEdit(*m_dm, *m_session, m_ctaView, m_hstoView, this);
        // Read when the list is first opened: at sign-in it would cost a pass over the whole book.
        m_finEdit->setHistorySource([this] {
            QStringList items;
            app::guarded([&] { items = entries::earlierHistories(m_dm->db(), *m_dm->TbFin); });
            return items;
        });
    }
    return m_finEdit;
}

void TFormMainQuorvila_Zx3307::endSession()
{
    if (m_assets)
        m_assets->signOut();
    delete m_finEdit;
    m_finEdit = nullptr;
    m_session.reset();
}

bool TFormMainQuorvila_Zx3307::InicializarUsuario()
{
    if (!m_dm)
        return false;
    app::WaitCursor wait;
    app::AjustarFormatoDatas();
    m_pages->setCurrentWidget(m_tabHome);
    // Positioned by the primary key whatever order the user list is in.
    const qint64 cod = m_dm->TbCfg->asInt("LastUser");
    if (!m_dm->TbUser->locate("Cod", cod))
        return false;
    const QString codUsuario = data::catalogue::codUsuario(int(cod));
    const QString nome = m_dm->TbUser->asString("Nome");
    for (data::Query *q : {m_dm->QrFinPesq, m_dm->QrFinProx, m_dm->QrBensPesq})
        q->close();
    endSession();
    try {
        m_dm->CloseUserFiles();
        m_dm->pointUserTables(codUsuario);
        // Opened in the date order the grid shows, so the entries' row list is read only once.
        m_dm->TbFin->setIndexName("IdxData");
        m_dm->OpenUserFiles();
    } catch (const std::exception &) {
        m_dm->CloseUserFiles();
        app::WaitCursor::restoreAll();
        app::Mensagem("Não foi possível abrir todos os arquivos de dados\r\ndo usuário [" +
                          codUsuario + "  " + nome + "]." + "\r\n" +
                          "Por favor, selecione outro usuário!",
                      0);
        return false;
    }
    startSession();
    entries::applyUserDefaults(*m_dm->TbUser, app::today());
    // A verse, then a reflection; a failure to read the information base is reported and
    // signing in goes on.
    app::guarded([this] { BtOutroVersiculoClick(); });
    app::guarded([this] { BtOutraDicaClick(); });
    m_session->period() = entries::restoreUserPeriod(*m_dm->TbUser);
    m_data->setMonthDate(m_session->period().DtIni);
    recalcSaldos();
    m_assets->signIn();
    setSignedInCaption(codUsuario, nome);
    refreshPeriodCaption();
    m_btPeriodo->setEnabled(true);

    data::Table *fin = m_dm->TbFin;
    fin->disableControls();
    sortBy("IdxData", 1);
    fin->findNearest({app::today()});
    fin->enableControls();
    refreshCurrentPanel();

    if (m_dm->TbUser->asBool("IrPara")) {
        m_pages->setCurrentWidget(m_tabFin);
        m_grid->setFocus();
    } else {
        m_pages->setCurrentWidget(m_tabHome);
        m_tabHome->setFocus();
    }
    return true;
}

// ---------------------------------------------------------------- the entry commands

void TFormMainQuorvila_Zx3307::showFinPage()
{
    m_pages->setCurrentWidget(m_tabFin);
    m_grid->setFocus();
}

void TFormMainQuorvila_Zx3307::openEditor(const QString &caption, bool enabled)
{
    entries::TFormFinEdit *editor = finEdit();
    QUORVILA_SOFT_ASSERT(editor, m_dm->TbFin->cancel(); return );
    editor->setWindowTitle(caption);
    editor->setEditable(enabled);
    const bool saved = editor->exec() == QDialog::Accepted;
    if (m_dm->TbFin->state() != data::Table::State::Browse)
        m_dm->TbFin->cancel();
    if (saved)
        recalcSaldos();
    m_grid->setFocus();
}

void TFormMainQuorvila_Zx3307::ActionIncluirFinExecute()
{
    m_pages->setCurrentWidget(m_tabFin);
    m_dm->TbFin->append();
    m_dm->TbFin->setValue("Confirmado", true);
    openEditor("Controle Financeiro - Incluir Novo Lançamento", true);
}

void TFormMainQuorvila_Zx3307::ActionEditarFinExecute()
{
    m_pages->setCurrentWidget(m_tabFin);
    data::Table *fin = m_dm->TbFin;
    if (fin->isEmpty()) {
        app::Mensagem("Nenhum lançamento para Editar!", 0);
        return;
    }
    fin->edit();
    const QDate fechado = entries::fechadoAte(*m_dm->TbUser);
    if (entries::entryClosed(fin->asDate("Data"), fechado))
        openEditor("Lançamento não pode ser alterado. Período até " + app::formatDate(fechado) +
                       " fechado!",
                   false);
    else
        openEditor("Controle Financeiro - Editar/Alterar Lançamento", true);
}

void TFormMainQuorvila_Zx3307::ActionExcluirFinExecute()
{
    m_pages->setCurrentWidget(m_tabFin);
    data::Table *fin = m_dm->TbFin;
    if (fin->isEmpty()) {
        app::Mensagem("Nenhum lançamento para Excluir!", 0);
        return;
    }
    const QDate data = fin->asDate("Data");
    const QDate fechado = entries::fechadoAte(*m_dm->TbUser);
    if (entries::entryClosed(data, fechado)) {
        app::Mensagem(closedDeleteText(data, fin->asString("Hsto"), fin->asMoney("Valor"), fechado),
                      0);
        return;
    }
    if (app::Mensagem(deleteQuestionText(data, fin->asString("Hsto"), fin->asMoney("Valor")), 2) !=
        app::MsgButton::Yes)
        return;
    QUORVILA_SOFT_ASSERT(m_session, return );
    {
        app::WaitCursor wait;
        m_session->balances().removeEntry();
    }
    recalcSaldos();
}

void TFormMainQuorvila_Zx3307::ActionReplicarFinExecute()
{
    m_pages->setCurrentWidget(m_tabFin);
    data::Table *fin = m_dm->TbFin;
    if (fin->isEmpty()) {
        app::Mensagem("Nenhum lançamento para Replicar!", 0);
        return;
    }
    const qint64 deb = fin->asInt("CtaDeb");
    const qint64 cred = fin->asInt("CtaCred");
    const QVariant valor = fin->value("Valor");
    const QString hsto = fin->asString("Hsto");
    const QString numDoc = cleanNumDoc(fin->asString("NumDoc"));
    const QString obs = cleanObs(fin->asString("Obs"));
    fin->append();
    if (deb > 0)
        fin->setValue("CtaDeb", deb);
    if (cred > 0)
        fin->setValue("CtaCred", cred);
    fin->setValue("Valor", valor);
    fin->setValue("Hsto", hsto);
    fin->setValue("NumDoc", numDoc);
    fin->setValue("Obs", obs);
    fin->setValue("Confirmado", true);
    openEditor("Controle Financeiro - Incluir Novo Lançamento", true);
}

void TFormMainQuorvila_Zx3307::ActionMarcarTodosOkExecute()
{
    m_pages->setCurrentWidget(m_tabFin);
    if (app::Mensagem("Você tem certeza que deseja marcar todos\r\nos lançamentos como 'Ok. "
                      "Confirmado'?\r\n\r\nEsta operação não poderá ser desfeita.",
                      2) != app::MsgButton::Yes) {
        app::Mensagem("Nenhuma alteração foi realizada!", 0);
        return;
    }
    QUORVILA_SOFT_ASSERT(m_session, return );
    m_session->db().exec("UPDATE " + m_dm->TbFin->sqlName() + " SET Confirmado = 1");
    m_dm->TbFin->refresh();
    app::Mensagem("Alterações realizadas!\r\n\r\nTodos os lançamentos foram\r\nmarcados como 'Ok. "
                  "Confirmado'!",
                  0);
}

// ---------------------------------------------------------------- find and sort

void TFormMainQuorvila_Zx3307::ActionLocalizarFinExecute(const QString &firstChar)
{
    m_pages->setCurrentWidget(m_tabFin);
    m_editFind->setText(firstChar);
    m_findPanel->show();
    m_findPanel->raise();
    m_editFind->setFocus();
    m_editFind->setCursorPosition(m_editFind->text().size());
}

void TFormMainQuorvila_Zx3307::runFind()
{
    data::Table *fin = m_dm->TbFin;
    const FindTarget target = parseFindText(m_editFind->text(), app::today().year());
    if (const auto *bad = std::get_if<FindInvalid>(&target)) {
        app::Mensagem(bad->message, 0);
        if (bad->clearField)
            m_editFind->clear();
        m_findPanel->show();
        m_editFind->setFocus();
        m_editFind->selectAll();
        return;
    }
    if (const auto *code = std::get_if<FindCode>(&target)) {
        const QString index = fin->indexName();
        fin->disableControls();
        fin->setIndexName({});
        const bool found = fin->findKey({code->code});
        const qint64 rowId = fin->current().rowId;
        fin->setIndexName(index);
        if (found)
            fin->moveToRowId(rowId);
        fin->enableControls();
        m_findPanel->hide();
        if (!found)
            app::Mensagem(
                "Código '" + app::formatNumber(code->code, "000000") + "' não encontrado!", 0);
        m_grid->setFocus();
        return;
    }
    const QDate date = std::get<FindDate>(target).date;
    m_findPanel->hide();
    const QString index = fin->indexName();
    const int marked = m_header->marked();
    const qint64 before = fin->current().rowId;
    fin->disableControls();
    fin->setIndexName("IdxData");
    if (fin->findKey({date})) {
        sortBy("IdxData", 1);
    } else if (app::Mensagem("Data '" + app::formatDate(date) + "' não encontrada!" + "\r\n" +
                                 "Posicionar na data mais próxima?",
                             1) == app::MsgButton::Yes) {
        sortBy("IdxData", 1);
        fin->findNearest({date});
    } else {
        fin->setIndexName(index);
        m_header->setMarked(marked);
        fin->moveToRowId(before);
    }
    fin->enableControls();
    m_grid->setFocus();
}

void TFormMainQuorvila_Zx3307::sortBy(const QString &indexName, int markedSection)
{
    data::Table *fin = m_dm->TbFin;
    const qint64 rowId = fin->current().rowId;
    if (fin->indexName() != indexName)
        fin->setIndexName(indexName);
    fin->moveToRowId(rowId);
    m_header->setMarked(markedSection);
}

void TFormMainQuorvila_Zx3307::DBGridFinTitleClick(int section)
{
    if (!m_dm || !m_dm->TbFin->isActive())
        return;
    switch (section) {
    case 0:
        sortBy({}, 0);
        break;
    case 1:
        sortBy("IdxData", 1);
        break;
    case 4:
        sortBy("IdxValor", 4);
        break;
    case 7:
        m_popupOk->popup(m_grid->mapToGlobal(QPoint(m_grid->columnViewportPosition(7), 20)));
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- reflections and verses

void TFormMainQuorvila_Zx3307::hideFindPanels()
{
    m_findPanel->hide();
    if (m_assets)
        m_assets->hideFindPanel();
}

namespace {

// Shows the page a panel picked, or nothing; the panel's controls take its code.
struct PanelPick
{
    std::optional<help::InfoPage> page;
    int candidates = 0;
};

PanelPick pickPanelPage(data::TDM &dm, int tipo, qlonglong current)
{
    if (!dm.TbInfo->isActive())
        return {};
    const QList<qlonglong> codes = help::pageCodes(dm.infoDb(), *dm.TbInfo, tipo);
    const qlonglong code = help::pickAnother(codes, current, app::randomBelow);
    PanelPick pick;
    pick.candidates = int(codes.size());
    if (code)
        pick.page = help::readPage(dm.infoDb(), *dm.TbInfo, code);
    return pick;
}

void setTag(std::initializer_list<QWidget *> controls, qlonglong code)
{
    for (QWidget *w : controls)
        app::setHelpTag(w, int(code));
}

} // namespace

void TFormMainQuorvila_Zx3307::BtOutraDicaClick()
{
    hideFindPanels();
    const PanelPick pick = pickPanelPage(*m_dm, help::KindReflection, app::helpTag(m_labelDica));
    m_labelDica->setText(pick.page ? pick.page->dica : QString());
    setTag({m_labelDica, m_btLeiaMais}, pick.page ? pick.page->codigo : 0);
    // With a single reflection there is no other one to show.
    m_btOutraDica->setEnabled(pick.candidates > 1);
    m_btLeiaMais->setEnabled(bool(pick.page));
}

void TFormMainQuorvila_Zx3307::BtOutroVersiculoClick()
{
    hideFindPanels();
    const PanelPick pick = pickPanelPage(*m_dm, help::KindVerse, app::helpTag(m_image1));
    QPixmap picture;
    if (pick.page && !pick.page->imagem.isEmpty())
        picture.loadFromData(pick.page->imagem);
    if (!picture.isNull()) {
        if (picture.width() > m_image1->width() || picture.height() > m_image1->height())
            picture =
                picture.scaled(m_image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_image1->setPixmap(picture);
    } else {
        m_image1->setText(pick.page ? pick.page->titulo : QString());
    }
    setTag({m_image1, m_btLerVersiculo}, pick.page ? pick.page->codigo : 0);
    m_btOutroVersiculo->setEnabled(pick.candidates > 1);
    m_btLerVersiculo->setEnabled(bool(pick.page));
}

void TFormMainQuorvila_Zx3307::openPanelPage(const QWidget *tagged)
{
    hideFindPanels();
    if (const int code = app::helpTag(tagged); code > 0)
        app::openHelp(code);
}

// ---------------------------------------------------------------- the help screens

void TFormMainQuorvila_Zx3307::ActionHelpFastExecute()
{
    int code = help::TFormHelpFast::Fechar;
    {
        help::TFormHelpFast quick(this);
        code = quick.exec();
    }
    actOnQuickHelpCode(code);
}

void TFormMainQuorvila_Zx3307::actOnQuickHelpCode(int code)
{
    using Q = help::TFormHelpFast;
    switch (code) {
    case Q::ComoApoiar:
        openAbout(help::TFormAbout::ComoApoiar);
        break;
    case Q::PlanoDeContas:
        showFinPage();
        ActionPlanoCta->trigger();
        break;
    case Q::ControleFin:
        showFinPage();
        break;
    case Q::EducacaoFin:
        ActionEducFin->trigger();
        break;
    case Q::CalculosFin:
        ActionMatFin->trigger();
        break;
    case Q::CategoriasBens:
        ActionCategorias->trigger();
        break;
    case Q::ControleBens:
        ActionIrParaBens->trigger();
        break;
    default:
        // 0: closed with "Fechar".
        break;
    }
}

void TFormMainQuorvila_Zx3307::openAbout(int page)
{
    m_pages->setCurrentIndex(0);
    help::TFormAbout about(page, this);
    about.exec();
}

void TFormMainQuorvila_Zx3307::ActionEducFinExecute()
{
    if (!m_dm)
        return; // before start-up has made the data module
    m_pages->setCurrentIndex(0);
    help::TFormBiblia reader(*m_dm, this);
    reader.exec();
}

// ---------------------------------------------------------------- the period

// ---------------------------------------------------------------- events

void TFormMainQuorvila_Zx3307::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    // After the window is on screen, so the sign-in dialog opens over it.
    QTimer::singleShot(0, this, &TFormMainQuorvila_Zx3307::firstShown);
}

bool TFormMainQuorvila_Zx3307::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_btPeriodo &&
        (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        QFont f = m_btPeriodo->font();
        f.setBold(event->type() == QEvent::Enter);
        m_btPeriodo->setFont(f);
        return false;
    }
    if ((watched == m_labelDica || watched == m_image1) &&
        event->type() == QEvent::MouseButtonDblClick) {
        app::guarded([this, watched] { openPanelPage(static_cast<QWidget *>(watched)); });
        return true;
    }
    if (watched == m_editFind && event->type() == QEvent::FocusOut) {
        m_findPanel->hide();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *k = static_cast<QKeyEvent *>(event);
    if (watched == m_grid) {
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            ActionEditarFin->trigger();
            return true;
        }
        if (k->text().size() == 1 && k->text()[0].isDigit()) {
            ActionLocalizarFinExecute(k->text());
            return true;
        }
    }
    if (watched == m_editFind) {
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            app::guarded([this] { runFind(); });
            return true;
        }
        if (k->key() == Qt::Key_Escape) {
            m_grid->setFocus();
            return true;
        }
    }
    return false;
}

} // namespace main_ui
