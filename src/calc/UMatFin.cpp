#include "UMatFin.h"

#include "matfinexport.h"
#include "matfinstore.h"

#include <app/application.h>
#include <app/csvsave.h>
#include <app/dates.h>
#include <app/format.h>
#include <app/helptag.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <data/table.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace calc {

namespace {

int s_lastTab = 0;

const char *const kMoneyPattern = "#,##0.00";
const char *const kRatePattern = "#,##0.000000";

QString money(const std::optional<double> &v)
{
    return v ? app::formatNumber(*v, kMoneyPattern) : QString();
}

QString rate(const std::optional<double> &v)
{
    return v ? app::formatNumber(*v, kRatePattern) : QString();
}

QString count(const std::optional<double> &v)
{
    return v ? app::formatNumber(*v, "0.####") : QString();
}

// A typed figure: thousands separators dropped, "," or "." as decimal point; anything that does
// not read as a number counts as empty, which the solve then refuses with its own message.
std::optional<double> readNumber(const QLineEdit *e)
{
    QString t = e->text().trimmed();
    if (t.contains(',') && t.contains('.'))
        t.remove(app::kThousandSeparator);
    if (t.isEmpty())
        return std::nullopt;
    const std::optional<long double> v = app::parseDecimal(t);
    if (!v)
        return std::nullopt;
    return double(*v);
}

QLabel *caption(const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
}

QTextBrowser *analysisBox(const char *name)
{
    auto *b = new QTextBrowser;
    b->setObjectName(name);
    b->setReadOnly(true);
    // Mouse selection only: a read-only text shows no caret.
    b->setTextInteractionFlags(Qt::TextSelectableByMouse);
    b->setOpenLinks(false);
    return b;
}

QPushButton *modeButton(const QString &text, const char *name, QButtonGroup *group)
{
    auto *b = new QPushButton(text);
    b->setObjectName(name);
    b->setCheckable(true);
    b->setAutoDefault(false);
    // Mode buttons are pressed with the mouse and take no focus, so Enter and Down go from one
    // figure straight to the next.
    b->setFocusPolicy(Qt::NoFocus);
    group->addButton(b);
    return b;
}

QPushButton *plainButton(const QString &text, const char *name)
{
    auto *b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QRadioButton *radio(const QString &text, const char *name)
{
    auto *r = new QRadioButton(text);
    r->setObjectName(name);
    r->setProperty("navField", true);
    return r;
}

QGroupBox *box(const QString &title, QLayout *layout)
{
    auto *g = new QGroupBox(title);
    g->setLayout(layout);
    return g;
}

QLabel *titleLabel(const QString &text)
{
    auto *l = new QLabel(text);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    l->setFont(f);
    l->setStyleSheet("color: #006000;");
    return l;
}

// A tab's title row with its help button; returns the row the tab's columns go in.
QHBoxLayout *tabFrame(QWidget *tab, const char *name, const QString &title, const char *helpName,
                      int helpCode)
{
    tab->setObjectName(name);
    auto *outer = new QVBoxLayout(tab);
    auto *head = new QHBoxLayout;
    head->addWidget(titleLabel(title), 1);
    auto *help = plainButton("Ajuda", helpName);
    app::wireHelp(help, helpCode);
    head->addWidget(help);
    outer->addLayout(head);
    auto *cols = new QHBoxLayout;
    outer->addLayout(cols, 1);
    return cols;
}

struct FnText
{
    const char *button, *en, *br, *result;
};

const FnText kFn[5] = {
    {"Calcular [ n ]  >>", "[ n ]  Number of Periods", "Número de Períodos (Prazo)",
     "Número de Períodos"},
    {"Calcular [ i ]  >>", "[ i ]  Interest Rate", "Taxa de Juros", "Taxa de Juros"},
    {"Calcular [PV]  >>", "[PV]  Present Value", "Valor Presente", "Valor Presente"},
    {"Calcular [PMT]  >>", "[PMT]  Payment", "Pagamento (Parcela)", "Pagamento (Parcela)"},
    {"Calcular [FV]  >>", "[FV]  Future Value", "Valor Futuro", "Valor Futuro"},
};

} // namespace

int TFormMatFin::lastTab()
{
    return s_lastTab;
}

QLineEdit *TFormMatFin::numberField(const char *name, int maxLength)
{
    auto *e = new QLineEdit;
    e->setObjectName(name);
    e->setValidator(app::numericChars(e));
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    e->setAlignment(Qt::AlignRight);
    e->installEventFilter(this);
    return e;
}

TFormMatFin::TFormMatFin(data::TDM &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName("TFormMatFin");
    setWindowTitle("Quorvila :: Cálculos Financeiros");
    new app::FieldNavigator(this);
    auto *layout = new QVBoxLayout(this);
    PageMatFin = new QTabWidget;
    PageMatFin->setObjectName("PageMatFin");
    PageMatFin->setDocumentMode(true);
    PageMatFin->addTab(buildLoanTab(), "Empréstimos e Financiamentos");
    PageMatFin->addTab(buildSavingsTab(), "Poupança e Investimentos");
    PageMatFin->addTab(buildCalcTab(), "Calculadora Financeira");
    layout->addWidget(PageMatFin, 1);

    auto *footer = new QHBoxLayout;
    const QString verses[3] = {
        "\"O rico domina sobre o pobre; quem toma   emprestado é escravo de quem empresta\". Pv "
        "22:7",
        "\"Na casa do sábio há comida e azeite armazenados, mas o tolo devora tudo o que pode\". "
        "Pv 21:20",
        "\"Qual de vocês, se quiser construir uma torre, primeiro não se assenta e   calcula o "
        "preço, para ver se tem dinheiro suficiente para completá-la?\" Lc 14:28"};
    for (int i = 0; i < 3; ++i) {
        LabelCF[i] = new QLabel(verses[i]);
        LabelCF[i]->setObjectName(QStringLiteral("LabelCF%1").arg(i + 1));
        LabelCF[i]->setTextFormat(Qt::PlainText);
        LabelCF[i]->setWordWrap(true);
        LabelCF[i]->setToolTip("Clique para Ler o Contexto");
        LabelCF[i]->setCursor(Qt::PointingHandCursor);
        LabelCF[i]->setStyleSheet("color: #606000; font-style: italic;");
        LabelCF[i]->installEventFilter(this);
        footer->addWidget(LabelCF[i], 1);
    }
    BtFechar = plainButton("Fechar", "BtFechar");
    connect(BtFechar, &QPushButton::clicked, this, &QDialog::accept);
    footer->addWidget(BtFechar);
    layout->addLayout(footer);

    m_view = new TFormMatFinView(dm, m_results, this);
    // The timing choices are inputs of their tab too.
    for (QRadioButton *r : findChildren<QRadioButton *>())
        r->installEventFilter(this);

    // Opening: the parameter rows (created when missing) and the tab of the last closing.
    app::guarded([&] {
        data::Table *tb = m_dm.TbMatFinPrm;
        if (!tb->isActive()) {
            tb->open();
            m_openedTable = true;
        }
        ensureMatFinRows(*tb, app::today());
        const MatFinTab tabs[3] = {MatFinTab::Emprestimo, MatFinTab::Poupanca,
                                   MatFinTab::Calculadora};
        for (int i = 0; i < 3; ++i)
            m_rows[i] = loadMatFinPrm(*tb, tabs[i], app::today());
    });
    for (int i = 0; i < 3; ++i)
        scatter(i);
    clearLoanResults();
    clearSavingsResults();
    setBasicFunction(BasicFunction::PMT);
    setSavingsMode(SavingsMode::Montante);
    setLoanMode(LoanMode::Pgto);
    PageMatFin->setCurrentIndex(s_lastTab);
    connect(PageMatFin, &QTabWidget::currentChanged, this, &TFormMatFin::tabChanged);
    tabChanged(s_lastTab);
    setFixedSize(980, 640);
}

TFormMatFin::~TFormMatFin() = default;

QWidget *TFormMatFin::buildLoanTab()
{
    auto *tab = new QWidget;
    QHBoxLayout *cols =
        tabFrame(tab, "TabEmpr", "  Simulação e Análise de Empréstimos e Financiamentos",
                 "BtHelpEmpr", 2061);

    auto *g = new QGridLayout;
    DBEditPV = numberField("DBEditPV");
    DBEditNPer = numberField("DBEditNPer", 4);
    DBEditPgtoTaxa = numberField("DBEditPgtoTaxa");
    g->addWidget(caption("Valor do Empréstimo (Valor à Vista):", DBEditPV), 0, 0);
    g->addWidget(DBEditPV, 0, 1);
    g->addWidget(new QLabel("reais"), 0, 2);
    g->addWidget(caption("Prazo (Número de Prestações):", DBEditNPer), 1, 0);
    g->addWidget(DBEditNPer, 1, 1);
    g->addWidget(new QLabel("meses"), 1, 2);
    auto *modes = new QButtonGroup(tab);
    BtPgto = modeButton("$", "BtPgto", modes);
    BtTaxa = modeButton("%", "BtTaxa", modes);
    BtPgto->setFixedWidth(28);
    BtTaxa->setFixedWidth(28);
    connect(BtPgto, &QPushButton::clicked, this, [this] { setLoanMode(LoanMode::Pgto); });
    connect(BtTaxa, &QPushButton::clicked, this, [this] { setLoanMode(LoanMode::Taxa); });
    auto *pt = new QHBoxLayout;
    pt->addWidget(BtPgto);
    pt->addWidget(BtTaxa);
    LabelPgtoTaxa = caption("Valor da Prestação:", DBEditPgtoTaxa);
    LabelPgtoTaxa->setObjectName("LabelPgtoTaxa");
    pt->addWidget(LabelPgtoTaxa, 1);
    g->addLayout(pt, 2, 0);
    g->addWidget(DBEditPgtoTaxa, 2, 1);
    LabelPgtoTaxaUn = new QLabel("reais");
    LabelPgtoTaxaUn->setObjectName("LabelPgtoTaxaUn");
    g->addWidget(LabelPgtoTaxaUn, 2, 2);
    RadioEmprCom = radio("Com Entrada", "RadioEmprCom");
    RadioEmprSem = radio("Sem Entrada", "RadioEmprSem");
    auto *re = new QHBoxLayout;
    re->addWidget(RadioEmprCom);
    re->addWidget(RadioEmprSem);
    auto *reBox = box("Entrada", re);
    reBox->setObjectName("RadioEmpr");
    g->addWidget(reBox, 3, 0, 1, 3);

    auto *a = new QGridLayout;
    DBEditRenda = numberField("DBEditRenda");
    DBEditDataParc = new QLineEdit;
    DBEditDataParc->setObjectName("DBEditDataParc");
    DBEditDataParc->setMaxLength(10);
    DBEditDataParc->setValidator(new app::CharsetValidator("0-9/", DBEditDataParc));
    DBEditDataParc->installEventFilter(this);
    ComboFinalidade = new QComboBox;
    ComboFinalidade->setObjectName("ComboFinalidade");
    ComboFinalidade->addItems({"Geral", "Compra de Veículo", "Compra de Imóvel"});
    ComboFinalidade->installEventFilter(this);
    a->addWidget(caption("A Remuneração (Renda) do Devedor:", DBEditRenda), 0, 0);
    a->addWidget(DBEditRenda, 0, 1);
    a->addWidget(caption("A Data Inicial do Empréstimo:", DBEditDataParc), 1, 0);
    a->addWidget(DBEditDataParc, 1, 1);
    a->addWidget(caption("Finalidade do Empréstimo:", ComboFinalidade), 2, 0);
    a->addWidget(ComboFinalidade, 2, 1);
    g->addWidget(box(" Para fins de Análise, digite também:", a), 4, 0, 1, 3);

    auto *t = new QGridLayout;
    ComboNPer = new QComboBox;
    ComboNPer->setObjectName("ComboNPer");
    ComboNPer->addItems({"1", "2", "3", "4", "6", "12"});
    ComboNPer->installEventFilter(this);
    ComboTaxa = new QComboBox;
    ComboTaxa->setObjectName("ComboTaxa");
    // The steps with the program's decimal separator.
    for (const char *v : {"0.05", "0.1", "0.2", "0.25", "0.5", "0.75", "1", "1.25", "1.5", "2"})
        ComboTaxa->addItem(QString::fromLatin1(v).replace('.', app::kDecimalSeparator));
    ComboTaxa->installEventFilter(this);
    t->addWidget(caption("Intervalo para Prazos:", ComboNPer), 0, 0);
    t->addWidget(ComboNPer, 0, 1);
    t->addWidget(new QLabel("meses"), 0, 2);
    t->addWidget(caption("Intervalo para Taxas de Juros:", ComboTaxa), 1, 0);
    t->addWidget(ComboTaxa, 1, 1);
    t->addWidget(new QLabel("%"), 1, 2);
    g->addWidget(box(" Para construir a Tabela de Prazos e Taxas, informe:", t), 5, 0, 1, 3);
    BtCalcular = plainButton("Calcular >>", "BtCalcular");
    connect(BtCalcular, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtCalcularClick(); }); });
    g->addWidget(BtCalcular, 6, 2);
    g->setRowStretch(7, 1);
    cols->addWidget(box(" Digite as seguintes Informações do Empréstimo:", g), 0);

    auto *r = new QVBoxLayout;
    RTFEmpr = analysisBox("RTFEmpr");
    r->addWidget(RTFEmpr, 1);
    auto *d = new QVBoxLayout;
    BtAnalise = plainButton("Visualizar Análise Detalhada do Empréstimo", "BtAnalise");
    BtEvolucao = plainButton("Visualizar Tabela de Evolução do Saldo Devedor", "BtEvolucao");
    BtTabela = plainButton("Visualizar Tabela de Análise de Prazos e Taxas", "BtTabela");
    for (QPushButton *b : {BtAnalise, BtEvolucao, BtTabela})
        d->addWidget(b);
    connect(BtAnalise, &QPushButton::clicked, this,
            [this] { openResult(TFormMatFinView::Analise); });
    connect(BtEvolucao, &QPushButton::clicked, this,
            [this] { openResult(TFormMatFinView::Evolucao); });
    connect(BtTabela, &QPushButton::clicked, this, [this] { openResult(TFormMatFinView::Tabela); });
    r->addWidget(box(" Análise Detalhada", d));
    cols->addWidget(box(" Análise Resumida", r), 1);
    return tab;
}

QWidget *TFormMatFin::buildSavingsTab()
{
    auto *tab = new QWidget;
    QHBoxLayout *cols =
        tabFrame(tab, "TabPoupar", "  Simulação e Análise de Poupança e Investimentos ",
                 "BtHelpPoupar", 2062);

    auto *l = new QVBoxLayout;
    auto *modes = new QButtonGroup(tab);
    BtPoupMontante = modeButton("Montante", "BtPoupMontante", modes);
    BtPoupDeposito = modeButton("Depósito", "BtPoupDeposito", modes);
    BtPoupPrazo = modeButton("Prazo", "BtPoupPrazo", modes);
    connect(BtPoupMontante, &QPushButton::clicked, this,
            [this] { setSavingsMode(SavingsMode::Montante); });
    connect(BtPoupDeposito, &QPushButton::clicked, this,
            [this] { setSavingsMode(SavingsMode::Deposito); });
    connect(BtPoupPrazo, &QPushButton::clicked, this,
            [this] { setSavingsMode(SavingsMode::Prazo); });
    auto *mb = new QHBoxLayout;
    for (QPushButton *b : {BtPoupMontante, BtPoupDeposito, BtPoupPrazo})
        mb->addWidget(b);
    l->addLayout(mb);
    LabelPoupOp = new QLabel;
    LabelPoupOp->setObjectName("LabelPoupOp");
    LabelPoupOp->setWordWrap(true);
    LabelPoupOp->setMinimumHeight(48);
    l->addWidget(LabelPoupOp);
    const auto panel = [&](const char *name, const QString &cap, QLineEdit *e,
                           const QString &unit) {
        auto *p = new QWidget;
        p->setObjectName(name);
        auto *h = new QHBoxLayout(p);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(caption(cap, e), 1);
        h->addWidget(e);
        auto *u = new QLabel(unit);
        u->setFixedWidth(40);
        h->addWidget(u);
        l->addWidget(p);
        return p;
    };
    DBEditMontante = numberField("DBEditMontante");
    DBEditPrazo = numberField("DBEditPrazo", 4);
    DBEditTaxa = numberField("DBEditTaxa");
    DBEditDeposito = numberField("DBEditDeposito");
    PanelPoupFV = panel("PanelPoupFV", "Montante a Poupar:", DBEditMontante, "reais");
    PanelPoupN = panel("PanelPoupN", "Prazo (Número de Depósitos):", DBEditPrazo, "meses");
    PanelPoupI = panel("PanelPoupI", "Taxa de Juros:", DBEditTaxa, "%");
    PanelPoupPMT = panel("PanelPoupPMT", "Depósito Mensal:", DBEditDeposito, "reais");
    RadioEntradaCom = radio("Depósito no Início de cada Período (com Entrada)", "RadioEntradaCom");
    RadioEntradaSem = radio("Depósito no Final de cada Período (sem Entrada)", "RadioEntradaSem");
    auto *re = new QVBoxLayout;
    re->addWidget(RadioEntradaCom);
    re->addWidget(RadioEntradaSem);
    auto *reBox = box(QString(), re);
    reBox->setObjectName("DBRadioEntrada");
    l->addWidget(reBox);
    auto *a = new QGridLayout;
    DBEditPoupRenda = numberField("DBEditPoupRenda");
    DBEditPoupData = new QLineEdit;
    DBEditPoupData->setObjectName("DBEditPoupData");
    DBEditPoupData->setMaxLength(10);
    DBEditPoupData->setValidator(new app::CharsetValidator("0-9/", DBEditPoupData));
    DBEditPoupData->installEventFilter(this);
    a->addWidget(caption("A Remuneração (Renda) do Poupador:", DBEditPoupRenda), 0, 0);
    a->addWidget(DBEditPoupRenda, 0, 1);
    a->addWidget(caption("A Data de Início de Poupança:", DBEditPoupData), 1, 0);
    a->addWidget(DBEditPoupData, 1, 1);
    l->addWidget(box(" Para fins de Análise, digite também:", a));
    BtPoupCalc = plainButton("Calcular Montante >>", "BtPoupCalc");
    connect(BtPoupCalc, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPoupCalcClick(); }); });
    l->addWidget(BtPoupCalc, 0, Qt::AlignRight);
    l->addStretch(1);
    auto *left = new QWidget;
    left->setLayout(l);
    left->setFixedWidth(440);
    cols->addWidget(left);

    auto *r = new QVBoxLayout;
    RTFPoup = analysisBox("RTFPoup");
    r->addWidget(RTFPoup, 1);
    auto *d = new QVBoxLayout;
    BtPoupEvolucao =
        plainButton("Visualizar Tabela de Evolução de Capitalização", "BtPoupEvolucao");
    BtPoupAlerta = plainButton("Texto de Advertência e Alerta sobre Riquezas", "BtPoupAlerta");
    BtMelhorOp = plainButton("A Melhor Opção de Investimento", "BtMelhorOp");
    for (QPushButton *b : {BtPoupEvolucao, BtPoupAlerta, BtMelhorOp})
        d->addWidget(b);
    connect(BtPoupEvolucao, &QPushButton::clicked, this,
            [this] { openResult(TFormMatFinView::PoupEvolucao); });
    connect(BtPoupAlerta, &QPushButton::clicked, this,
            [this] { openResult(TFormMatFinView::PoupAlerta); });
    connect(BtMelhorOp, &QPushButton::clicked, this,
            [this] { openResult(TFormMatFinView::MelhorOp); });
    r->addWidget(box(" Reflexões Importantes sobre Riquezas", d));
    cols->addWidget(box(" Análise Resumida", r), 1);
    return tab;
}

QWidget *TFormMatFin::buildCalcTab()
{
    auto *tab = new QWidget;
    QHBoxLayout *cols =
        tabFrame(tab, "TabCalc", "  Calculadora Financeira Básica", "BtHelpCalc", 2063);

    auto *fns = new QVBoxLayout;
    auto *group = new QButtonGroup(tab);
    const char *names[5] = {"BtCalcN", "BtCalcI", "BtCalcPV", "BtCalcPMT", "BtCalcFV"};
    const char *texts[5] = {"Nº de Períodos  [ n ]", "Taxa de Juros    [ i ]",
                            "Valor Presente  [PV]", "Pagamento   [PMT]", "Valor Futuro     [FV]"};
    for (int i = 0; i < 5; ++i) {
        BtCalcFn[i] = modeButton(QString::fromUtf8(texts[i]), names[i], group);
        connect(BtCalcFn[i], &QPushButton::clicked, this,
                [this, i] { setBasicFunction(BasicFunction(i + 1)); });
        fns->addWidget(BtCalcFn[i]);
    }
    fns->addStretch(1);
    cols->addWidget(box("Calcular:", fns));

    auto *mid = new QVBoxLayout;
    auto *calcHead = new QHBoxLayout;
    LabelCalcBr = new QLabel;
    LabelCalcBr->setObjectName("LabelCalcBr");
    LabelCalcEn = new QLabel;
    LabelCalcEn->setObjectName("LabelCalcEn");
    QFont bold = LabelCalcBr->font();
    bold.setBold(true);
    LabelCalcBr->setFont(bold);
    calcHead->addWidget(new QLabel("Calcular:"));
    calcHead->addWidget(LabelCalcBr);
    calcHead->addWidget(LabelCalcEn, 1);
    mid->addLayout(calcHead);
    auto *fields = new QVBoxLayout;
    const char *panelNames[5] = {"PanelCalcN", "PanelCalcI", "PanelCalcPV", "PanelCalcPMT",
                                 "PanelCalcFV"};
    const char *editNames[5] = {"DBEditCalcN", "DBEditCalcI", "DBEditCalcPV", "DBEditCalcPMT",
                                "DBEditCalcFV"};
    const char *en[5] = {"[ n ]  Number of Periods", "[ i ]  Interest Rate", "[PV]  Present Value",
                         "[PMT]  Payment", "[FV]  Future Value"};
    const char *units[5] = {"", "%", "$", "$", "$"};
    for (int i = 0; i < 5; ++i) {
        DBEditCalc[i] = numberField(editNames[i], i == 0 ? 4 : 0);
        auto *p = new QWidget;
        p->setObjectName(panelNames[i]);
        auto *h = new QHBoxLayout(p);
        h->setContentsMargins(0, 0, 0, 0);
        auto *capBox = new QVBoxLayout;
        capBox->addWidget(caption(QString::fromUtf8(kFn[i].br), DBEditCalc[i]));
        auto *e = new QLabel(QString::fromUtf8(en[i]));
        e->setStyleSheet("color: gray;");
        capBox->addWidget(e);
        h->addLayout(capBox, 1);
        h->addWidget(DBEditCalc[i]);
        auto *u = new QLabel(QString::fromUtf8(units[i]));
        u->setFixedWidth(20);
        h->addWidget(u);
        PanelCalc[i] = p;
        fields->addWidget(p);
    }
    RadioCalcCom = radio("Pagamento no Início do Período (Com Entrada)", "RadioCalcCom");
    RadioCalcSem = radio("Pagamento no Final do Período (Sem Entrada)", "RadioCalcSem");
    auto *re = new QVBoxLayout;
    re->addWidget(RadioCalcCom);
    re->addWidget(RadioCalcSem);
    auto *reBox = box(QString(), re);
    reBox->setObjectName("DBRadioCalcEntrada");
    fields->addWidget(reBox);
    mid->addWidget(box("  Digite os seguintes dados:", fields));
    BtCalc = plainButton("Calcular [PMT]  >>", "BtCalc");
    connect(BtCalc, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtCalcClick(); }); });
    mid->addWidget(BtCalc, 0, Qt::AlignRight);
    auto *res = new QHBoxLayout;
    res->addWidget(new QLabel("Resultado:"));
    LabelCalcResult = new QLabel;
    LabelCalcResult->setObjectName("LabelCalcResult");
    res->addWidget(LabelCalcResult);
    PanelResult = new QLabel;
    PanelResult->setObjectName("PanelResult");
    PanelResult->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PanelResult->setMinimumWidth(200);
    PanelResult->setStyleSheet("background: white; border: 1px solid #A9C4A9; font-weight: bold; "
                               "font-size: 14pt; color: #006000; padding: 4px;");
    res->addWidget(PanelResult, 1);
    mid->addLayout(res);
    BtSaveCSV = plainButton("Salvar CSV", "BtSaveCSV");
    BtSaveCSV->setToolTip("Salvar este cálculo para arquivo CSV");
    connect(BtSaveCSV, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtSaveCSVClick(); }); });
    mid->addWidget(BtSaveCSV, 0, Qt::AlignRight);
    mid->addStretch(1);
    cols->addLayout(mid, 1);
    return tab;
}

// ------------------------------------------------------------------ rows and fields

void TFormMatFin::scatter(int tab)
{
    const MatFinPrm &r = m_rows[tab];
    const bool com = r.Entrada.value_or(0) == 1;
    if (tab == 0) {
        DBEditPV->setText(money(r.PV));
        DBEditNPer->setText(count(r.NPer));
        DBEditPgtoTaxa->setText(m_loanMode == LoanMode::Pgto ? money(r.Prestacao) : rate(r.Taxa));
        DBEditRenda->setText(money(r.Renda));
        DBEditDataParc->setText(r.DataParc.isValid() ? app::formatDate(r.DataParc) : QString());
        (com ? RadioEmprCom : RadioEmprSem)->setChecked(true);
        const int f = ComboFinalidade->findText(r.Finalidade);
        ComboFinalidade->setCurrentIndex(f < 0 ? 0 : f);
        const int n = ComboNPer->findText(count(r.IncNPer));
        if (n >= 0)
            ComboNPer->setCurrentIndex(n);
        const int t =
            ComboTaxa->findText(r.IncTaxa ? app::formatNumber(*r.IncTaxa, "0.##") : QString());
        if (t >= 0)
            ComboTaxa->setCurrentIndex(t);
    } else if (tab == 1) {
        DBEditMontante->setText(money(r.FV));
        DBEditPrazo->setText(count(r.NPer));
        DBEditTaxa->setText(rate(r.Taxa));
        DBEditDeposito->setText(money(r.Prestacao));
        DBEditPoupRenda->setText(money(r.Renda));
        DBEditPoupData->setText(r.DataParc.isValid() ? app::formatDate(r.DataParc) : QString());
        (com ? RadioEntradaCom : RadioEntradaSem)->setChecked(true);
    } else {
        DBEditCalc[0]->setText(count(r.NPer));
        DBEditCalc[1]->setText(rate(r.Taxa));
        DBEditCalc[2]->setText(money(r.PV));
        DBEditCalc[3]->setText(money(r.Prestacao));
        DBEditCalc[4]->setText(money(r.FV));
        (com ? RadioCalcCom : RadioCalcSem)->setChecked(true);
    }
}

void TFormMatFin::gather(int tab)
{
    MatFinPrm &r = m_rows[tab];
    if (tab == 0) {
        r.PV = readNumber(DBEditPV);
        r.NPer = readNumber(DBEditNPer);
        (m_loanMode == LoanMode::Pgto ? r.Prestacao : r.Taxa) = readNumber(DBEditPgtoTaxa);
        r.Renda = readNumber(DBEditRenda);
        r.DataParc = app::parseDate(DBEditDataParc->text().trimmed());
        r.Entrada = RadioEmprCom->isChecked() ? 1 : 0;
        r.Finalidade = ComboFinalidade->currentText();
        r.IncNPer = app::parseDecimal(ComboNPer->currentText()).value_or(6);
        r.IncTaxa = double(app::parseDecimal(ComboTaxa->currentText()).value_or(0.2L));
    } else if (tab == 1) {
        r.FV = readNumber(DBEditMontante);
        r.NPer = readNumber(DBEditPrazo);
        r.Taxa = readNumber(DBEditTaxa);
        r.Prestacao = readNumber(DBEditDeposito);
        r.Renda = readNumber(DBEditPoupRenda);
        r.DataParc = app::parseDate(DBEditPoupData->text().trimmed());
        r.Entrada = RadioEntradaCom->isChecked() ? 1 : 0;
    } else {
        r.NPer = readNumber(DBEditCalc[0]);
        r.Taxa = readNumber(DBEditCalc[1]);
        r.PV = readNumber(DBEditCalc[2]);
        r.Prestacao = readNumber(DBEditCalc[3]);
        r.FV = readNumber(DBEditCalc[4]);
        r.Entrada = RadioCalcCom->isChecked() ? 1 : 0;
    }
}

void TFormMatFin::storeRow(int tab)
{
    storeMatFinPrm(*m_dm.TbMatFinPrm, m_rows[tab]);
}

bool TFormMatFin::failed(const SolveOutcome &o)
{
    if (o.ok)
        return false;
    app::Mensagem(o.message, 0);
    if (auto *w = findChild<QWidget *>(o.focusField); w && !o.focusField.isEmpty()) {
        w->setFocus();
        if (auto *e = qobject_cast<QLineEdit *>(w))
            e->selectAll();
    }
    return true;
}

// ------------------------------------------------------------------ solves

void TFormMatFin::BtCalcularClick()
{
    gather(0);
    // Solved on a copy: a failed solve leaves the previous figures where they were.
    MatFinPrm row = m_rows[0];
    const SolveOutcome o = solveLoan(row, m_loanMode);
    if (failed(o)) {
        return;
    }
    m_rows[0] = row;
    storeRow(0);
    scatter(0);
    m_results.loan = row;
    m_results.loanCsvLayout = o.csvLayout;
    m_results.loanSchedule = buildLoanSchedule(row);
    const Placeholders p = loanPlaceholders(row, m_results.loanSchedule);
    RTFEmpr->hide();
    RTFEmpr->setHtml(fillTemplate(templateText(m_dm, kTplLoanShort), p));
    RTFEmpr->show();
    m_results.loanAnalysisHtml =
        fillTemplate(templateText(m_dm, loanDetailTemplate(ComboFinalidade->currentIndex())), p);
    for (QPushButton *b : {BtAnalise, BtEvolucao, BtTabela})
        b->setEnabled(true);
}

void TFormMatFin::BtPoupCalcClick()
{
    gather(1);
    MatFinPrm row = m_rows[1];
    const SolveOutcome o = solveSavings(row, m_savMode);
    if (failed(o))
        return;
    m_rows[1] = row;
    storeRow(1);
    scatter(1);
    m_results.savings = row;
    m_results.savingsCsvLayout = o.csvLayout;
    m_results.savingsSchedule = buildSavingsSchedule(row);
    const long double n = m_savMode == SavingsMode::Prazo ? o.unroundedN : row.NPer.value_or(0);
    RTFPoup->hide();
    RTFPoup->setHtml(fillTemplate(templateText(m_dm, savingsTemplate(o.exact)),
                                  savingsPlaceholders(row, m_results.savingsSchedule, n)));
    RTFPoup->show();
    BtPoupEvolucao->setEnabled(true);
}

void TFormMatFin::BtCalcClick()
{
    gather(2);
    MatFinPrm row = m_rows[2];
    const SolveOutcome o = solveBasic(row, m_function);
    if (failed(o))
        return;
    m_rows[2] = row;
    storeRow(2);
    scatter(2);
    PanelResult->setText(o.panelText);
    BtSaveCSV->setEnabled(true);
}

void TFormMatFin::BtSaveCSVClick()
{
    if (PageMatFin->currentIndex() != 2)
        return;
    const QString title = basicCalcTitle(m_function);
    app::saveCsvListing(this, basicCalcFileName(m_function), basicCalcCsv(m_rows[2], m_function),
                        "OK. " + title + " gravado no arquivo " + "\r\n");
}

// ------------------------------------------------------------------ modes

void TFormMatFin::setLoanMode(LoanMode mode)
{
    if (isVisible())
        gather(0);
    m_loanMode = mode;
    (mode == LoanMode::Pgto ? BtPgto : BtTaxa)->setChecked(true);
    LabelPgtoTaxa->setText(mode == LoanMode::Pgto ? "Valor da Prestação:" : "Taxa de Juros:");
    LabelPgtoTaxaUn->setText(mode == LoanMode::Pgto ? "reais" : "%");
    DBEditPgtoTaxa->setText(mode == LoanMode::Pgto ? money(m_rows[0].Prestacao)
                                                   : rate(m_rows[0].Taxa));
    if (isVisible()) {
        DBEditPgtoTaxa->setFocus();
        DBEditPgtoTaxa->selectAll();
    }
}

void TFormMatFin::setSavingsMode(SavingsMode mode)
{
    for (QWidget *p : {PanelPoupFV, PanelPoupN, PanelPoupI, PanelPoupPMT})
        p->setVisible(true);
    m_savMode = mode;
    QWidget *hidden = PanelPoupFV;
    QLineEdit *focus = DBEditPrazo;
    switch (mode) {
    case SavingsMode::Montante:
        BtPoupMontante->setChecked(true);
        LabelPoupOp->setText("Calcula o Montante acumulado, considerando o Depósito feito "
                             "mensalmente, a Taxa de Juros e o Prazo informados:");
        BtPoupCalc->setText("Calcular Montante >>");
        break;
    case SavingsMode::Deposito:
        BtPoupDeposito->setChecked(true);
        LabelPoupOp->setText("Calcula o Depósito que deve ser realizado mensalmente para que o "
                             "Montante desejado seja acumulado, considerando a Taxa de Juros e o "
                             "Prazo informados:");
        hidden = PanelPoupPMT;
        BtPoupCalc->setText("Calcular Depósito >>");
        focus = DBEditMontante;
        break;
    case SavingsMode::Prazo:
        BtPoupPrazo->setChecked(true);
        LabelPoupOp->setText("Calcula o Prazo necessário para acumular o Montante desejado, "
                             "considerando o valor do Depósito feito mensalmente e a Taxa de "
                             "Juros informados:");
        hidden = PanelPoupN;
        BtPoupCalc->setText("Calcular Prazo >>");
        focus = DBEditMontante;
        break;
    }
    hidden->setVisible(false);
    if (isVisible() && PageMatFin->currentIndex() == 1)
        focus->setFocus();
}

void TFormMatFin::setBasicFunction(BasicFunction f)
{
    for (QWidget *p : PanelCalc)
        p->setVisible(true);
    clearBasicResult();
    m_function = f;
    const int i = int(f) - 1;
    BtCalcFn[i]->setChecked(true);
    PanelCalc[i]->setVisible(false);
    BtCalc->setText(QString::fromUtf8(kFn[i].button));
    LabelCalcEn->setText(QString::fromUtf8(kFn[i].en));
    LabelCalcBr->setText(QString::fromUtf8(kFn[i].br));
    LabelCalcResult->setText(QString::fromUtf8(kFn[i].result));
    if (isVisible() && PageMatFin->currentIndex() == 2)
        (f == BasicFunction::N ? DBEditCalc[1] : DBEditCalc[0])->setFocus();
}

// ------------------------------------------------------------------ tabs and fields

void TFormMatFin::tabChanged(int index)
{
    for (int i = 0; i < 3; ++i)
        LabelCF[i]->setVisible(i == index);
    focusTabField();
}

void TFormMatFin::focusTabField()
{
    switch (PageMatFin->currentIndex()) {
    case 0:
        DBEditPV->setFocus();
        break;
    case 1:
        (m_savMode == SavingsMode::Montante ? DBEditPrazo : DBEditMontante)->setFocus();
        break;
    default:
        (m_function == BasicFunction::N ? DBEditCalc[1] : DBEditCalc[0])->setFocus();
        break;
    }
}

void TFormMatFin::clearLoanResults()
{
    RTFEmpr->clear();
    for (QPushButton *b : {BtAnalise, BtEvolucao, BtTabela})
        b->setEnabled(false);
}

void TFormMatFin::clearSavingsResults()
{
    RTFPoup->clear();
    BtPoupEvolucao->setEnabled(false);
}

void TFormMatFin::clearBasicResult()
{
    PanelResult->clear();
    BtSaveCSV->setEnabled(false);
}

// The analyses of a tab are gone as soon as one of its inputs is touched, and an amount shown
// formatted ("1.234,56") is offered for typing without its thousands separators.
void TFormMatFin::enteringField(int tab, QWidget *field)
{
    if (tab == 0)
        clearLoanResults();
    else if (tab == 1)
        clearSavingsResults();
    else
        clearBasicResult();
    if (auto *e = qobject_cast<QLineEdit *>(field)) {
        QString t = e->text();
        t.remove(app::kThousandSeparator);
        e->setText(t);
        QMetaObject::invokeMethod(e, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
}

bool TFormMatFin::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < 3; ++i) {
        if (watched == LabelCF[i] && event->type() == QEvent::MouseButtonRelease) {
            app::openHelp(1101);
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        auto *w = qobject_cast<QWidget *>(watched);
        for (int tab = 0; w && tab < 3; ++tab)
            if (PageMatFin->widget(tab)->isAncestorOf(w))
                enteringField(tab, w);
    }
    return QDialog::eventFilter(watched, event);
}

void TFormMatFin::done(int r)
{
    app::guarded([this] {
        for (int tab = 0; tab < 3; ++tab) {
            gather(tab);
            storeRow(tab);
        }
    });
    s_lastTab = PageMatFin->currentIndex();
    if (m_openedTable)
        m_dm.TbMatFinPrm->close();
    m_openedTable = false;
    QDialog::done(r);
}

void TFormMatFin::openResult(TFormMatFinView::Page page)
{
    app::guarded([&] {
        if (page == TFormMatFinView::Tabela) {
            m_results.table = buildTermRateTable(m_results.loan);
        }
        m_view->showPage(page, this);
    });
}

} // namespace calc
