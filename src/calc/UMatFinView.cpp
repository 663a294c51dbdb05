#include "UMatFinView.h"

#include "matfinexport.h"

#include <app/application.h>
#include <app/csvsave.h>
#include <app/dates.h>
#include <app/error.h>
#include <app/format.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <help/infopages.h>
#include <help/pagecopy.h>
#include <help/pagedocument.h>
#include <reports/URM.h>
#include <reports/matfinviews.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace calc {

QString templateText(data::TDM &dm, int code)
{
    if (!dm.TbInfo->isActive())
        return {};
    const std::optional<help::InfoPage> p = help::readPage(dm.infoDb(), *dm.TbInfo, code);
    return p ? p->texto : QString();
}

namespace {

QString entradaText(const MatFinPrm &r)
{
    return timingOf(r) == 1 ? QStringLiteral("Com Entrada") : QStringLiteral("Sem Entrada");
}

QString reais(const std::optional<double> &v)
{
    return "R$ " + app::formatNumber(v.value_or(0), "#,##0.00");
}

QString taxaText(long double percent)
{
    return app::formatNumber(percent, "#,##0.00####") + "% a.m.";
}

QTextBrowser *textBox(const char *name)
{
    auto *b = new QTextBrowser;
    b->setObjectName(name);
    b->setReadOnly(true);
    b->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return b;
}

QLabel *value(const char *name)
{
    auto *l = new QLabel;
    l->setObjectName(name);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet("color: #006000;");
    return l;
}

QPushButton *button(const QString &text, const char *name)
{
    auto *b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

// ---------------------------------------------------------------- the schedule grids

struct GridColumn
{
    const char *field;
    QString title;
    int width;
};

class ScheduleModel : public QAbstractTableModel
{
public:
    ScheduleModel(std::vector<GridColumn> columns, QObject *parent)
        : QAbstractTableModel(parent), m_columns(std::move(columns))
    {
    }
    void setRows(const std::vector<MatFinGridRow> *rows)
    {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }
    const std::vector<GridColumn> &columns() const { return m_columns; }
    int rowCount(const QModelIndex &p = {}) const override
    {
        return p.isValid() || !m_rows ? 0 : int(m_rows->size());
    }
    int columnCount(const QModelIndex &p = {}) const override
    {
        return p.isValid() ? 0 : int(m_columns.size());
    }
    QVariant headerData(int s, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && s < int(m_columns.size()))
            return m_columns[s].title;
        return {};
    }
    QVariant data(const QModelIndex &i, int role) const override
    {
        if (!m_rows || !i.isValid())
            return {};
        const MatFinGridRow &r = (*m_rows)[i.row()];
        const QString f = QLatin1String(m_columns[i.column()].field);
        if (role == Qt::TextAlignmentRole)
            return f == "DataParc" ? int(Qt::AlignCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
        if (role == Qt::FontRole && r.NumParcela == QLatin1String("Total")) {
            QFont b;
            b.setBold(true);
            return b;
        }
        if (role != Qt::DisplayRole)
            return {};
        return text(r, f);
    }
    static QString text(const MatFinGridRow &r, const QString &f)
    {
        const auto num = [](const GridValue &v, const char *pattern) {
            return v ? app::formatNumber(*v, QLatin1String(pattern)) : QString();
        };
        if (f == "NumParcela")
            return r.NumParcela;
        if (f == "DataParc")
            return r.DataParc.isValid() ? app::formatDate(r.DataParc) : QString();
        if (f == "Pgto")
            return num(r.Pgto, "#,##0.00");
        if (f == "PgtoJuros")
            return num(r.PgtoJuros, "#,##0.00");
        if (f == "PgtoPrincipal")
            return num(r.PgtoPrincipal, "#,##0.00");
        if (f == "SaldoAcum")
            return num(r.SaldoAcum, "#,##0.00");
        if (f == "SomaPgto")
            return num(r.SomaPgto, "#,##0.00");
        if (f == "VlrCapitalizado")
            return num(r.VlrCapitalizado, "#,##0.00");
        if (f == "PgtoVlrPresente")
            return num(r.PgtoVlrPresente, "#,##0.00");
        if (f == "TaxaPerc")
            return r.Taxa ? app::formatNumber(*r.Taxa * 100, "#,##0.00####") : QString();
        if (f == "TaxaAcum")
            return num(r.TaxaAcum, "#,##0.000000");
        return {};
    }

private:
    std::vector<GridColumn> m_columns;
    const std::vector<MatFinGridRow> *m_rows = nullptr;
};

static QTableView *scheduleGrid(const char *name, ScheduleModel *model)
{
    auto *g = new QTableView;
    g->setObjectName(name);
    g->setModel(model);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(18);
    g->setContextMenuPolicy(Qt::CustomContextMenu);
    // The columns' widths are laid out for an 8-point font; the grid uses it so that a whole
    // row of eleven columns fits the window.
    QFont f = g->font();
    f.setPointSize(8);
    g->setFont(f);
    g->horizontalHeader()->setFont(f);
    for (int c = 0; c < int(model->columns().size()); ++c)
        g->setColumnWidth(c, model->columns()[c].width * 6 / 5);
    return g;
}

// ---------------------------------------------------------------- the window

TFormMatFinView::TFormMatFinView(data::TDM &dm, MatFinResults &results, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_r(results)
{
    setObjectName("TFormMatFinView");
    auto *layout = new QVBoxLayout(this);
    PageMatFinView = new QStackedWidget;
    PageMatFinView->setObjectName("PageMatFinView");
    m_pages[0] = buildAnalise();
    m_pages[1] = buildEvolucao();
    m_pages[2] = buildTabela();
    m_pages[3] = buildPoupEvolucao();
    m_pages[4] = buildAlerta();
    for (QWidget *p : m_pages)
        PageMatFinView->addWidget(p);
    layout->addWidget(PageMatFinView, 1);
    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    BtCopy = button("Copiar", "BtCopy");
    BtSaveRTF = button("Salvar RTF", "BtSaveRTF");
    BtSaveCSV = button("Salvar CSV", "BtSaveCSV");
    BtPrint = button("Imprimir", "BtPrint");
    BtFechar = button("Fechar", "BtFechar");
    for (QPushButton *b : {BtCopy, BtSaveRTF, BtSaveCSV, BtPrint})
        bottom->addWidget(b);
    bottom->addStretch(1);
    bottom->addWidget(BtFechar);
    layout->addLayout(bottom);
    connect(BtCopy, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtCopyClick(); }); });
    connect(BtSaveRTF, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtSaveRTFClick(); }); });
    connect(BtSaveCSV, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtSaveCSVClick(); }); });
    connect(BtPrint, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtPrintClick(); }); });
    connect(BtFechar, &QPushButton::clicked, this, &QDialog::accept);
    hideButtons();
    setFixedSize(980, 620);
}

TFormMatFinView::~TFormMatFinView() = default;

// A search panel of a schedule page, hidden until used; its field takes at most 4 characters.
QFrame *TFormMatFinView::findPanel(QWidget *page, const char *name, const QString &caption,
                                   const char *buttonName, QLineEdit *&edit)
{
    auto *panel = new QFrame(page);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    auto *fl = new QHBoxLayout(panel);
    edit = new QLineEdit;
    edit->setMaxLength(4);
    edit->installEventFilter(this);
    auto *lb = new QLabel(caption);
    lb->setBuddy(edit);
    auto *bt = button("Localizar", buttonName);
    connect(bt, &QPushButton::clicked, this, [this] { search(); });
    fl->addWidget(lb);
    fl->addWidget(edit);
    fl->addWidget(bt);
    panel->setGeometry(300, 200, 300, 44);
    panel->hide();
    return panel;
}

QWidget *TFormMatFinView::buildAnalise()
{
    auto *p = new QWidget;
    p->setObjectName("TabEmpr1");
    auto *l = new QVBoxLayout(p);
    RTFAnaliseEmpr = textBox("RTFAnaliseEmpr");
    l->addWidget(RTFAnaliseEmpr);
    return p;
}

QWidget *TFormMatFinView::buildEvolucao()
{
    auto *p = new QWidget;
    p->setObjectName("TabEmpr2");
    auto *l = new QVBoxLayout(p);
    auto *head = new QGridLayout;
    LbValor1 = value("LbValor1");
    LbEntrada1 = value("LbEntrada1");
    LbPrazo1 = value("LbPrazo1");
    LbTaxa1 = value("LbTaxa1");
    LbPrestacao1 = value("LbPrestacao1");
    head->addWidget(new QLabel("Valor do Empréstimo:"), 0, 0);
    head->addWidget(LbValor1, 0, 1);
    head->addWidget(new QLabel("Entrada:"), 0, 2);
    head->addWidget(LbEntrada1, 0, 3);
    head->addWidget(new QLabel("Prazo:"), 0, 4);
    head->addWidget(LbPrazo1, 0, 5);
    head->addWidget(new QLabel("Taxa de Juros:"), 1, 0);
    head->addWidget(LbTaxa1, 1, 1);
    head->addWidget(new QLabel("Prestação"), 1, 2);
    head->addWidget(LbPrestacao1, 1, 3);
    auto *help = button("Ajuda", "BtHelpEvolucao");
    app::wireHelp(help, 2066);
    head->addWidget(help, 0, 6, 2, 1);
    l->addLayout(head);
    m_loanModel = new ScheduleModel({{"NumParcela", "Parc", 30},
                                     {"DataParc", "Data", 62},
                                     {"Pgto", "Prestação", 79},
                                     {"PgtoJuros", "Juros", 76},
                                     {"PgtoPrincipal", "Principal", 76},
                                     {"SaldoAcum", "Saldo Devedor", 90},
                                     {"SomaPgto", "Total Pago", 80},
                                     {"VlrCapitalizado", "Vlr Capitalizado", 81},
                                     {"TaxaPerc", "Taxa (%)", 82},
                                     {"TaxaAcum", "Taxa Acum(un)", 83},
                                     {"PgtoVlrPresente", "Prestação VP", 83}},
                                    this);
    DBGrid1 = scheduleGrid("DBGrid1", m_loanModel);
    DBGrid1->installEventFilter(this);
    l->addWidget(DBGrid1, 1);
    RTFTabEvolucao = textBox("RTFTabEvolucao");
    RTFTabEvolucao->setFixedHeight(90);
    l->addWidget(RTFTabEvolucao);
    PanelFindParc = findPanel(p, "PanelFindParc", "Localizar Parcela:", "BtFindParc", EditFindParc);
    EditFindParc->setObjectName("EditFindParc");
    return p;
}

QWidget *TFormMatFinView::buildPoupEvolucao()
{
    auto *p = new QWidget;
    p->setObjectName("TabPoupEvolucao");
    auto *l = new QVBoxLayout(p);
    auto *head = new QGridLayout;
    LbDeposito2 = value("LbDeposito2");
    LbEntrada2 = value("LbEntrada2");
    LbPrazo2 = value("LbPrazo2");
    LbTaxa2 = value("LbTaxa2");
    LbValor2 = value("LbValor2");
    head->addWidget(new QLabel("Depósito Mensal:"), 0, 0);
    head->addWidget(LbDeposito2, 0, 1);
    head->addWidget(new QLabel("Entrada:"), 0, 2);
    head->addWidget(LbEntrada2, 0, 3);
    head->addWidget(new QLabel("Prazo:"), 0, 4);
    head->addWidget(LbPrazo2, 0, 5);
    head->addWidget(new QLabel("Taxa de Juros:"), 1, 0);
    head->addWidget(LbTaxa2, 1, 1);
    head->addWidget(new QLabel("Montante Acumulado:"), 1, 2);
    head->addWidget(LbValor2, 1, 3);
    auto *help = button("Ajuda", "BtHelpPoupEvolucao");
    app::wireHelp(help, 2068);
    head->addWidget(help, 0, 6, 2, 1);
    l->addLayout(head);
    m_savModel = new ScheduleModel({{"NumParcela", "Dep", 30},
                                    {"DataParc", "Data Dep", 62},
                                    {"Pgto", "Vlr Depósito", 79},
                                    {"PgtoJuros", "Juros", 76},
                                    {"SaldoAcum", "Vlr Capitalizado", 90},
                                    {"SomaPgto", "Total Depósitos", 80},
                                    {"TaxaPerc", "Taxa (%)", 74},
                                    {"TaxaAcum", "Taxa Acum(un)", 83}},
                                   this);
    DBGrid2 = scheduleGrid("DBGrid2", m_savModel);
    DBGrid2->installEventFilter(this);
    l->addWidget(DBGrid2, 1);
    PanelFindDep = findPanel(p, "PanelFindDep", "Localizar Depósito:", "BtFindDep", EditFindDep);
    EditFindDep->setObjectName("EditFindDep");
    for (QTableView *g : {DBGrid1, DBGrid2}) {
        connect(g, &QWidget::customContextMenuRequested, this, [this, g](const QPoint &at) {
            QMenu menu(this);
            QAction *find = menu.addAction("Localizar...");
            QAction *print = menu.addAction("Imprimir Tabela");
            QAction *chosen = menu.exec(g->viewport()->mapToGlobal(at));
            if (chosen == find)
                openSearch(QString());
            else if (chosen == print)
                app::guarded([this] { BtPrintClick(); });
        });
    }
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { refreshRowText(); });
    return p;
}

QWidget *TFormMatFinView::buildTabela()
{
    auto *p = new QWidget;
    p->setObjectName("TabPrazosTaxas");
    auto *cols = new QHBoxLayout(p);
    auto *left = new QVBoxLayout;
    auto *head = new QGridLayout;
    LbValor = value("LbValor");
    LbEntrada = value("LbEntrada");
    head->addWidget(new QLabel("Valor do Empréstimo:"), 0, 0);
    head->addWidget(LbValor, 0, 1);
    head->addWidget(new QLabel("Entrada:"), 1, 0);
    head->addWidget(LbEntrada, 1, 1);
    auto *help = button("Ajuda", "BtHelpTabela");
    app::wireHelp(help, 2067);
    head->addWidget(help, 0, 2, 2, 1);
    left->addLayout(head);
    const auto option = [&](const QString &title, QLabel *&prazo, QLabel *&taxa, const char *pn,
                            const char *tn, QTextBrowser *&text, const char *textName) {
        auto *t = new QLabel(title);
        t->setStyleSheet("background: #C0DCC0; font-weight: bold;");
        left->addWidget(t);
        auto *g = new QHBoxLayout;
        prazo = value(pn);
        taxa = value(tn);
        g->addWidget(new QLabel("Prazo:"));
        g->addWidget(prazo);
        g->addWidget(new QLabel("Taxa de Juros:"));
        g->addWidget(taxa, 1);
        left->addLayout(g);
        text = textBox(textName);
        left->addWidget(text, 1);
        return g;
    };
    option("  Opção 1", PrazoOp1, TaxaOp1, "PrazoOp1", "TaxaOp1", RTFOp1, "RTFOp1");
    QHBoxLayout *o2 =
        option("  Opção 2", PrazoOp2, TaxaOp2, "PrazoOp2", "TaxaOp2", RTFOp2, "RTFOp2");
    BtOpFixed = button("Fixar", "BtOpFixed");
    BtOpFixed->setToolTip("Fixar");
    connect(BtOpFixed, &QPushButton::clicked, this, [this] { fixOption(); });
    o2->addWidget(BtOpFixed);
    auto *t = new QLabel("  Comparação da Opção 2 com Opção 1");
    t->setStyleSheet("background: #C0DCC0; font-weight: bold;");
    left->addWidget(t);
    RTFCompara = textBox("RTFCompara");
    left->addWidget(RTFCompara, 2);
    auto *leftW = new QWidget;
    leftW->setLayout(left);
    leftW->setFixedWidth(360);
    cols->addWidget(leftW);

    auto *right = new QVBoxLayout;
    auto *views = new QHBoxLayout;
    views->addWidget(new QLabel(" Visualizar"));
    auto *group = new QButtonGroup(p);
    BtPrestacao = button("Prestações", "BtPrestacao");
    BtTotalPago = button("Montante Pago", "BtTotalPago");
    BtJurosPagos = button("Total de Juros", "BtJurosPagos");
    int v = 1;
    for (QPushButton *b : {BtPrestacao, BtTotalPago, BtJurosPagos}) {
        b->setCheckable(true);
        group->addButton(b);
        views->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, v] {
            fillTableGrid(v);
            StringGrid1->setFocus();
        });
        ++v;
    }
    views->addStretch(1);
    right->addLayout(views);
    StringGrid1 = new QTableWidget(TermRateTable::kSize - 1, TermRateTable::kSize - 1);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(80);
    StringGrid1->verticalHeader()->setDefaultSectionSize(18);
    // Wide enough for "222 meses": the terms run up to 37 steps of 12 months.
    StringGrid1->verticalHeader()->setFixedWidth(70);
    QPalette pal = StringGrid1->palette();
    pal.setColor(QPalette::Highlight, QColor(67, 112, 67));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    StringGrid1->setPalette(pal);
    StringGrid1->setStyleSheet("QHeaderView::section { background: rgb(192,220,192); }");
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        if (m_reactToSelection && row >= 0 && col >= 0)
            selectCell(col + 1, row + 1);
    });
    right->addWidget(StringGrid1, 1);
    cols->addLayout(right, 1);
    return p;
}

QWidget *TFormMatFinView::buildAlerta()
{
    auto *p = new QWidget;
    p->setObjectName("TabPoupAlerta");
    auto *l = new QVBoxLayout(p);
    RTFPoupAlerta = textBox("RTFPoupAlerta");
    l->addWidget(RTFPoupAlerta);
    return p;
}

void TFormMatFinView::hideButtons()
{
    for (QPushButton *b : {BtCopy, BtSaveRTF, BtSaveCSV, BtPrint})
        b->setVisible(false);
}

// ---------------------------------------------------------------- opening a page

void TFormMatFinView::preparePage(Page page)
{
    m_page = page;
    hideButtons();
    const auto show = [](QPushButton *b, const QString &hint) {
        b->setVisible(true);
        b->setToolTip(hint);
    };
    const MatFinPrm &loan = m_r.loan;
    const MatFinPrm &sv = m_r.savings;
    switch (page) {
    case Analise:
        setWindowTitle("Análise Detalhada de Simulação de Empréstimo");
        show(BtCopy, "Copiar o Texto de Análise para a Área de Transferência");
        show(BtSaveRTF, "Salvar o Texto de Análise em Arquivo RTF");
        RTFAnaliseEmpr->setHtml(m_r.loanAnalysisHtml);
        PageMatFinView->setCurrentWidget(m_pages[0]);
        break;
    case Evolucao:
        setWindowTitle("Tabela de Evolução (ou Involução) do Saldo Devedor");
        show(BtSaveCSV, "Salvar a Tabela de Evolução em Arquivo CSV");
        show(BtPrint, "Imprimir a Tabela de Evolução");
        LbValor1->setText(reais(loan.PV));
        LbEntrada1->setText(entradaText(loan));
        LbPrazo1->setText(app::formatNumber(loan.NPer.value_or(0), "0") + " meses");
        LbTaxa1->setText(taxaText(loan.Taxa.value_or(0)));
        LbPrestacao1->setText(reais(loan.Prestacao));
        m_loanModel->setRows(&m_r.loanSchedule.rows);
        DBGrid1->setCurrentIndex(m_loanModel->index(m_r.loanSchedule.currentIndex, 0));
        refreshRowText();
        PageMatFinView->setCurrentWidget(m_pages[1]);
        break;
    case Tabela:
        setWindowTitle("Análise de Empréstimo para Diversos Prazos e Taxas de Juros");
        show(BtCopy, "Copiar Texto de Comparação de Empréstimos para a Área de Transferência");
        show(BtSaveRTF, "Salvar Texto de Comparação de Empréstimos em Arquivo RTF");
        show(BtSaveCSV, "Salvar a Tabela de Prestações, Montante Pago e Juros em Arquivo CSV");
        PageMatFinView->setCurrentWidget(m_pages[2]);
        BtPrestacao->setChecked(true);
        fillTableGrid(1);
        {
            // The loan's own cell, brought into view and fixed as option 1.
            m_reactToSelection = false;
            const int own = std::max(1, m_r.table.rateIndex);
            const int term = std::max(1, m_r.table.termIndex);
            StringGrid1->scrollToItem(
                StringGrid1->item(std::min(term + 8, 37) - 1, std::min(own, 37) - 1));
            StringGrid1->setCurrentCell(term - 1, own - 1);
            m_r.fixed = {own, term};
            m_reactToSelection = true;
            selectCell(own, term);
        }
        break;
    case PoupEvolucao:
        setWindowTitle("Tabela de Evolução de Capitalização (ou Poupança)");
        show(BtSaveCSV, "Salvar a Tabela de Evolução em Arquivo CSV");
        show(BtPrint, "Imprimir a Tabela de Evolução");
        LbDeposito2->setText(reais(sv.Prestacao));
        LbEntrada2->setText(entradaText(sv));
        LbPrazo2->setText(app::formatNumber(sv.NPer.value_or(0), "0") + " meses");
        LbTaxa2->setText(taxaText(sv.Taxa.value_or(0)));
        LbValor2->setText(reais(sv.FV));
        m_savModel->setRows(&m_r.savingsSchedule.rows);
        DBGrid2->setCurrentIndex(m_savModel->index(m_r.savingsSchedule.currentIndex, 0));
        PageMatFinView->setCurrentWidget(m_pages[3]);
        break;
    case PoupAlerta:
    case MelhorOp:
        if (page == PoupAlerta) {
            setWindowTitle("Texto de Advertência e Alerta sobre Riquezas como Objetivo de Vida");
            show(BtCopy, "Copiar o Texto de Alerta para a Área de Transferência");
            show(BtSaveRTF, "Salvar o Texto de Alerta em Arquivo RTF");
        } else {
            setWindowTitle("A Melhor Opção de Investimento");
            show(BtCopy, "Copiar o Texto para a Área de Transferência");
            show(BtSaveRTF, "Salvar o Texto em Arquivo RTF");
        }
        RTFPoupAlerta->setHtml(
            templateText(m_dm, page == PoupAlerta ? kTplWealthWarning : kTplBestInvestment));
        PageMatFinView->setCurrentWidget(m_pages[4]);
        break;
    }
}

void TFormMatFinView::showPage(Page page, QWidget *over)
{
    preparePage(page);
    if (over)
        move(over->geometry().left() + 5, over->geometry().top() + 66);
    exec();
}

void TFormMatFinView::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    switch (m_page) {
    case Analise:
    case PoupAlerta:
    case MelhorOp: {
        QTextBrowser *t = m_page == Analise ? RTFAnaliseEmpr : RTFPoupAlerta;
        t->setFocus();
        t->verticalScrollBar()->setValue(0);
        break;
    }
    case Evolucao:
        DBGrid1->setFocus();
        break;
    case PoupEvolucao:
        DBGrid2->setFocus();
        break;
    case Tabela:
        StringGrid1->setFocus();
        break;
    }
}

void TFormMatFinView::closeEvent(QCloseEvent *e)
{
    hideButtons();
    PanelFindParc->hide();
    PanelFindDep->hide();
    QDialog::closeEvent(e);
}

// ---------------------------------------------------------------- the loan schedule's row text

void TFormMatFinView::refreshRowText()
{
    const QModelIndex i = DBGrid1->currentIndex();
    const std::vector<MatFinGridRow> &rows = m_r.loanSchedule.rows;
    if (!i.isValid() || i.row() >= int(rows.size())) {
        RTFTabEvolucao->clear();
        return;
    }
    const MatFinGridRow &row = rows[i.row()];
    RTFTabEvolucao->setHtml(fillTemplate(templateText(m_dm, scheduleRowTemplate(m_r.loan, row)),
                                         scheduleRowPlaceholders(m_r.loan, row)));
}

// ---------------------------------------------------------------- the term-and-rate table

void TFormMatFinView::fillTableGrid(int view)
{
    m_tableView = view;
    const TermRateTable &t = m_r.table;
    const TermRateTable::Grid &g = view == 2   ? t.montantePago
                                   : view == 3 ? t.totalJuros
                                               : t.prestacoes;
    const QString pattern = view == 1 ? "#,##0.0000" : "#,##0.00";
    StringGrid1->setCornerButtonEnabled(false);
    StringGrid1->setToolTip(view == 1 ? "Prestações" : view == 2 ? "Total Pago" : "Total Juros");
    QStringList rates, terms;
    for (int i = 1; i < TermRateTable::kSize; ++i)
        rates << app::formatNumber(t.prestacoes[i][0] * 100, "#,##0.00##") + "%";
    for (int j = 1; j < TermRateTable::kSize; ++j)
        terms << app::formatNumber(t.prestacoes[0][j], "0") + " meses";
    StringGrid1->setHorizontalHeaderLabels(rates);
    StringGrid1->setVerticalHeaderLabels(terms);
    const QColor green(0, 128, 0);
    for (int i = 1; i < TermRateTable::kSize; ++i) {
        for (int j = 1; j < TermRateTable::kSize; ++j) {
            auto *item = StringGrid1->item(j - 1, i - 1);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                StringGrid1->setItem(j - 1, i - 1, item);
            }
            item->setText(app::formatNumber(g[i][j], pattern));
            const bool ownRate = i == t.rateIndex, ownTerm = j == t.termIndex;
            item->setForeground((ownRate || ownTerm) ? QBrush(green) : QBrush(Qt::black));
            QFont f = item->font();
            f.setBold(ownRate && ownTerm);
            item->setFont(f);
        }
    }
}

void TFormMatFinView::selectCell(int rateIndex, int termIndex)
{
    const TermRateCell two{rateIndex, termIndex};
    const MatFinPrm &loan = m_r.loan;
    const Placeholders p1 = optionPlaceholders(m_r.table, m_r.fixed, loan, true);
    const Placeholders p2 = optionPlaceholders(m_r.table, two, loan, false);
    const Placeholders cmp = comparisonPlaceholders(m_r.table, m_r.fixed, two, loan);
    RTFOp1->setHtml(fillTemplate(templateText(m_dm, kTplOption1), p1));
    RTFOp2->setHtml(fillTemplate(templateText(m_dm, kTplOption2), p2));
    RTFCompara->setHtml(fillTemplate(templateText(m_dm, kTplCompare), cmp));
    m_copyBuffer =
        fillTemplate(fillTemplate(fillTemplate(templateText(m_dm, kTplCompareCopy), p1), p2), cmp);
    const auto prazo = [this](TermRateCell c) {
        return app::formatNumber(m_r.table.prestacoes[0][c.term], "0") + " meses";
    };
    const auto taxa = [this](TermRateCell c) {
        return taxaText(m_r.table.prestacoes[c.rate][0] * 100);
    };
    PrazoOp1->setText(prazo(m_r.fixed));
    TaxaOp1->setText(taxa(m_r.fixed));
    PrazoOp2->setText(prazo(two));
    TaxaOp2->setText(taxa(two));
    LbValor->setText(reais(loan.PV));
    LbEntrada->setText(entradaText(loan));
}

void TFormMatFinView::fixOption()
{
    const int row = std::max(0, StringGrid1->currentRow());
    const int col = std::max(0, StringGrid1->currentColumn());
    m_r.fixed = {col + 1, row + 1};
    selectCell(col + 1, row + 1);
}

// ---------------------------------------------------------------- searching a schedule

void TFormMatFinView::openSearch(const QString &text)
{
    QFrame *panel = m_page == PoupEvolucao ? PanelFindDep : PanelFindParc;
    QLineEdit *edit = m_page == PoupEvolucao ? EditFindDep : EditFindParc;
    panel->show();
    panel->raise();
    edit->setText(text);
    edit->setFocus();
    edit->setCursorPosition(text.size());
}

void TFormMatFinView::search()
{
    const bool dep = m_page == PoupEvolucao;
    QFrame *panel = dep ? PanelFindDep : PanelFindParc;
    QLineEdit *edit = dep ? EditFindDep : EditFindParc;
    QTableView *grid = dep ? DBGrid2 : DBGrid1;
    const std::vector<MatFinGridRow> &rows = dep ? m_r.savingsSchedule.rows : m_r.loanSchedule.rows;
    const QString text = edit->text().trimmed();
    if (text.isEmpty()) {
        app::Mensagem(dep ? "Por favor, digite o Depósito\r\nque deseja Localizar!"
                          : "Por favor, digite a Parcela\r\nque deseja Localizar!",
                      0);
        edit->clear();
        edit->setFocus();
        return;
    }
    bool ok = false;
    const int k = text.toInt(&ok);
    if (!ok) {
        app::Mensagem("'" + text +
                          (dep ? "' não é um Nº de Depósito" : "' não é um Nº de Parcela") +
                          "\r\n" + "válido! Por favor, verifique.",
                      0);
        edit->setFocus();
        edit->selectAll();
        return;
    }
    const QString wanted = QString::number(k);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].NumParcela == wanted) {
            panel->hide();
            grid->setCurrentIndex(grid->model()->index(int(i), 0));
            grid->setFocus();
            return;
        }
    }
    panel->hide();
    app::Mensagem(dep ? "Depósito '" + text + "' não encontrado!"
                      : "Parcela '" + text + "' não encontrada!",
                  0);
    grid->setFocus();
}

bool TFormMatFinView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if ((watched == DBGrid1 || watched == DBGrid2) && !k->text().isEmpty() &&
            k->text()[0].isDigit()) {
            openSearch(k->text());
            return true;
        }
        if (watched == EditFindParc || watched == EditFindDep) {
            QTableView *grid = watched == EditFindDep ? DBGrid2 : DBGrid1;
            switch (k->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                search();
                return true;
            case Qt::Key_Escape:
                static_cast<QWidget *>(watched)->parentWidget()->hide();
                grid->setFocus();
                return true;
            case Qt::Key_Backspace:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Delete:
                return false;
            default:
                if (!k->text().isEmpty() && k->text()[0].isDigit())
                    return false;
                QApplication::beep();
                return true;
            }
        }
    }
    if (event->type() == QEvent::FocusOut && (watched == EditFindParc || watched == EditFindDep)) {
        auto *panel = static_cast<QWidget *>(watched)->parentWidget();
        QWidget *to = QApplication::focusWidget();
        if (!to || !panel->isAncestorOf(to))
            QMetaObject::invokeMethod(
                panel,
                [panel] {
                    if (!panel->isAncestorOf(QApplication::focusWidget()))
                        panel->hide();
                },
                Qt::QueuedConnection);
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- copy, save, export, print

QString TFormMatFinView::copyTitle() const
{
    switch (m_page) {
    case Analise:
        return "Texto de Análise de Empréstimo";
    case PoupAlerta:
        return "Texto de Alerta sobre Riquezas";
    case MelhorOp:
        return "Texto sobre Investimento";
    default:
        break;
    }
    return "Texto de Comparação de Empréstimos";
}

QString TFormMatFinView::copyHtml() const
{
    switch (m_page) {
    case Analise:
        return RTFAnaliseEmpr->toHtml();
    case PoupAlerta:
    case MelhorOp:
        return RTFPoupAlerta->toHtml();
    default:
        break;
    }
    return m_copyBuffer;
}

void TFormMatFinView::BtCopyClick()
{
    help::putOnClipboard({windowTitle(), copyHtml()}, help::MottoLetter::Without);
    app::Mensagem("OK. " + copyTitle() + " copiado" + "\r\n" + "para a área de transferência." +
                      "\r\n\r\n" + "Use Ctrl+V para colar em outro programa.",
                  0);
    (m_page == Tabela ? static_cast<QWidget *>(StringGrid1) : PageMatFinView->currentWidget())
        ->setFocus();
}

void TFormMatFinView::BtSaveRTFClick()
{
    const QString name = m_page == Analise      ? "AnáliseEmpréstimo.RTF"
                         : m_page == PoupAlerta ? "AlertaSobreRiquezas.RTF"
                         : m_page == MelhorOp   ? "MelhorOpçãoDeInvestimento.RTF"
                                                : "ComparaçãoPrazosTaxas.RTF";
    const QString path = app::askSaveFileName(this, name, "Formato RichText (*.RTF *.rtf)", "RTF");
    if (path.isEmpty())
        return;
    try {
        help::writeRtfFile({windowTitle(), copyHtml()}, help::MottoLetter::Without, path);
    } catch (const app::Error &) {
        app::Mensagem("Erro ao gravar arquivo \"" + QDir::toNativeSeparators(path) + "\"." +
                          "\r\n" + "Verifique se este arquivo não está aberto em outro programa!",
                      0);
        return;
    }
    app::Mensagem("OK. " + copyTitle() + " gravado no arquivo " + "\r\n" +
                      QDir::toNativeSeparators(path) + "!",
                  0);
}

void TFormMatFinView::BtSaveCSVClick()
{
    const QString done = "OK. Tabela gravada no arquivo \r\n";
    if (m_page == Tabela) {
        app::saveCsvListing(this, kTermRateCsvName, termRateCsv(m_r.loan, m_r.table), done);
    } else if (m_page == PoupEvolucao) {
        app::saveCsvListing(this, kSavingsCsvName,
                            savingsCsv(m_r.savings, m_r.savingsSchedule.rows, m_r.savingsCsvLayout),
                            done);
    } else if (m_page == Evolucao) {
        app::saveCsvListing(this, kLoanCsvName,
                            loanCsv(m_r.loan, m_r.loanSchedule.rows, m_r.loanCsvLayout), done);
    }
}

void TFormMatFinView::BtPrintClick()
{
    const bool loan = m_page == Evolucao;
    if (!loan && m_page != PoupEvolucao)
        return;
    const reports::MatFinViews v = reports::matFinViews(
        loan ? m_r.loan : m_r.savings, loan ? m_r.loanSchedule.rows : m_r.savingsSchedule.rows);
    reports::TRM trm(m_dm, this);
    trm.setDataView("DvMatFinPrm", v.prm);
    trm.setDataView("DvMatFinGrid", v.grid);
    trm.run(loan ? "RepMatFinDivida" : "RepMatFinCap");
}

QTableView *TFormMatFinView::currentGrid() const
{
    return m_page == PoupEvolucao ? DBGrid2 : DBGrid1;
}

} // namespace calc
