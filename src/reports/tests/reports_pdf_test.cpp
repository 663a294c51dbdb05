// Every report laid out from a small fixture, written as PDF and read back with pdftotext: its
// title, column titles, page header, rows, groups and totals as a user finds them in the file;
// the colours, which text extraction cannot see, from the laid-out bands.
#include "pdftext.h"

#include <reports/banded.h>
#include <reports/catalogue.h>
#include <reports/definitions.h>
#include <reports/matfinviews.h>
#include <reports/reportrules.h>

#include <app/dates.h>
#include <app/error.h>
#include <calc/schedule.h>

#include <QGuiApplication>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

using namespace reports;

namespace {

DataView userView()
{
    DataView v({"Cod", "Nome", "CidadeUF"});
    v.addRow({1, "Maria da Silva", "Campinas/SP"});
    return v;
}

DataView bcte(const QList<QVariantList> &rows)
{
    DataView v({"Cta", "ExtCta", "TituloDescr", "SaldoAnt", "VariacaoSaldo", "SaldoAtual", "TtDeb",
                "TtCred"});
    for (const QVariantList &r : rows)
        v.addRow(r);
    return v;
}

DataView entries(const QStringList &columns, const QList<QVariantList> &rows)
{
    DataView v(columns);
    for (const QVariantList &r : rows)
        v.addRow(r);
    return v;
}

const QStringList kLedgerColumns{"Cta",  "Codigo", "Data",   "Dest",
                                 "Orig", "Hsto",   "NumDoc", "Valor"};

struct PdfCase
{
    const char *name;
    const char *report;
    std::function<void(Catalogue &)> fill;
    QStringList present;
    QStringList absent = {};
    int pages = 1;
};

class ReportPdf : public ::testing::TestWithParam<PdfCase>
{
protected:
    void SetUp() override { setIssueTimeForTests(QDateTime(QDate(2026, 12, 10), QTime(14, 5))); }
    void TearDown() override { setIssueTimeForTests({}); }
};

TEST_P(ReportPdf, TextOfThePages)
{
    const PdfCase &c = GetParam();
    Catalogue cat;
    cat.setDataView("DvUser", userView());
    c.fill(cat);
    const auto doc = cat.build(c.report);
    EXPECT_EQ(doc->pageCount(), c.pages);
    // REPORTS_PDF_DIR keeps the files, to look at them.
    const QString keep = qEnvironmentVariable("REPORTS_PDF_DIR");
    const QString text =
        testsupport::pdfText(*doc, keep.isEmpty() ? QString() : keep + "/" + c.name + ".pdf");
    for (const QString &s : c.present)
        EXPECT_TRUE(s.startsWith("re:") ? text.contains(QRegularExpression(s.mid(3)))
                                        : text.contains(s))
            << "missing \"" << s.toStdString() << "\" in:\n"
            << text.toStdString();
    for (const QString &s : c.absent)
        EXPECT_FALSE(text.contains(s)) << "unexpected \"" << s.toStdString() << "\"";
}

// pdftotext may join the two blanks after the user code.
const QStringList kPageHeader{"re:0001\\s+Maria da Silva", "Campinas/SP",
                              "Emissão: 10/12/2026 às 14:05", "Página 1/1"};

void fillHistories(Catalogue &c, int n)
{
    DataView v({"Codigo", "Descricao", "Tipo"});
    for (int i = 1; i <= n; ++i)
        v.addRow({i, QString("HISTÓRICO NÚMERO %1").arg(i), QVariant()});
    c.setDataView("DvHsto", v);
}

void fillChart(Catalogue &c)
{
    DataView v({"CodCta", "CodRed", "Descricao"});
    v.addRow({"0", QVariant(), "Saldo/Circulante"});
    v.addRow({"0.01", QVariant(), "Disponível"});
    v.addRow({"0.01.01", 11, "Carteira"});
    v.addRow({"2", QVariant(), "Saídas/Despesas"});
    v.addRow({"2.04", QVariant(), "Moradia"});
    v.addRow({"2.04.03", 243, "Aluguel"});
    c.setDataView("DvCta", v);
}

void fillEntrySearch(Catalogue &c, const QString &view)
{
    c.setParameter("ReportTitle1", "Relação de Lançamentos");
    c.setDataView(
        view,
        entries({"Codigo", "Data", "CtaDeb", "CtaCred", "Valor", "Hsto", "NumDoc", "Confirmado"},
                {{12, QDate(2026, 2, 5), 241, 11, 50.0, "PADARIA", "NF 77", true},
                 {13, QDate(2026, 2, 6), 13, 111, 3500.5, "SALÁRIO", QVariant(), false}}));
}

void fillAssets(Catalogue &c, const QString &view)
{
    c.setParameter("DataVlrBens", "31/12/26");
    c.setParameter("ReportTitle1", "Bens Pesquisados");
    c.setDataView(view,
                  entries({"Codigo", "Descricao", "DtAquisicao", "CodCat", "Categoria",
                           "VlrAquisicao", "ValorAtual"},
                          {{1, "Carro", QDate(2020, 3, 1), 2, "Veículos", 40000.0, 30000.0},
                           {2, "Casa", QDate(2015, 6, 1), 1, "Imóveis", 200000.0, 250000.5}}));
}

void fillTrialBalance(Catalogue &c)
{
    c.setParameter("ReportTitle1", " Balancete Fevereiro/2026");
    c.setParameter("SaldoAnt", "Saldo 31/01/26");
    c.setParameter("Variacao", "Mov Fev/26");
    c.setParameter("SaldoAtual", "Saldo 28/02/26");
    c.setDataView("DvBcte",
                  bcte({{QVariant(), "0", "Saldo/Circulante", 100.0, -0.0004, 100.0, 0, 0},
                        {QVariant(), "0.01", "Disponível", 100.0, -0.002, 100.0, 0, 0},
                        {11, "0.01.01", "Carteira", 100.0, 5.0, 105.0, 5, 0}}));
}

void fillLedger(Catalogue &c)
{
    c.setParameter("ReportTitle1", "Relação de Extratos de Contas Fevereiro/2026");
    c.setDataView("DvBcte",
                  bcte({{QVariant(), "0", "Saldo/Circulante", 1000.0, 50.0, 1050.0, 150, 100},
                        {QVariant(), "0.01", "Disponível", 1000.0, 50.0, 1050.0, 150, 100},
                        {11, "0.01.01", "Carteira", 1000.0, 50.0, 1050.0, 150, 100},
                        {12, "0.01.02", "Cofrinho", 300.0, 0.0, 300.0, 0, 0}}));
    c.setDataView("DvLcPrn", entries(kLedgerColumns,
                                     {{11, 5, QDate(2026, 2, 5), 241, 11, "PADARIA", "", -100.0},
                                      {11, 6, QDate(2026, 2, 6), 11, 111, "VENDA", "", 150.0}}));
}

void fillStatement(Catalogue &c)
{
    c.setParameter("ReportTitle1", "Extrato de Conta Fevereiro/2026");
    c.setParameter("TextSaldoAnt", "Saldo Anterior (31/01/26):");
    c.setParameter("TextSaldoAtual", "Saldo Atual (28/02/26):");
    c.setDataView("DvBcte", bcte({{11, "0.01.01", "Carteira", 1000.0, 35.0, 1035.0, 200, 165}}));
    c.setDataView("DvLctos", entries(kLedgerColumns,
                                     {{11, 1, QDate(2026, 2, 5), 241, 11, "PÃO", "", -10.0},
                                      {11, 2, QDate(2026, 2, 5), 242, 11, "LEITE", "", -5.0},
                                      {11, 3, QDate(2026, 2, 5), 11, 111, "VENDA", "", 200.0},
                                      {11, 4, QDate(2026, 2, 7), 243, 11, "GÁS", "", -150.0}}));
}

void fillBudget(Catalogue &c, const QString &vOrc)
{
    c.setParameter("ReportTitle1", " Orçamento [Fevereiro/2026]");
    c.setParameter("ResultVOrc", vOrc);
    c.setParameter("ResultVReal", "-12.50");
    c.setParameter("ResultSaldo", "-12.50");
    c.setDataView("DvOrc", entries({"ExtCta", "Descricao", "CodRed", "ValorOrcado", "Realizado",
                                    "PercRealizado", "Saldo"},
                                   {{"2", "Saídas/Despesas", QVariant(), 0.0, -12.5, "-   ", -12.5},
                                    {"2.04.03", "Aluguel", 243, 0.0, -12.5, "-   ", -12.5}}));
}

void fillMatFin(Catalogue &c, bool loan)
{
    calc::MatFinPrm p;
    p.PV = loan ? 1000 : 0;
    p.NPer = 2;
    p.Taxa = 1;
    p.Entrada = loan ? 0 : 1;
    p.DataParc = QDate(2026, 1, 31);
    std::vector<calc::MatFinGridRow> rows;
    if (loan) {
        p.Prestacao = 507.51;
        rows = calc::buildLoanSchedule(p).rows;
    } else {
        p.Prestacao = 100;
        p.FV = 203.01;
        rows = calc::buildSavingsSchedule(p).rows;
    }
    MatFinViews v = matFinViews(p, rows);
    c.setDataView("DvMatFinPrm", v.prm);
    c.setDataView("DvMatFinGrid", v.grid);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportPdf,
    ::testing::Values(
        PdfCase{"histories", "RepHsto", [](Catalogue &c) { fillHistories(c, 3); },
                kPageHeader + QStringList{"Relação de Históricos", "Cod", "Histórico/Descrição",
                                          "HISTÓRICO NÚMERO 3", "Quorvila :: Finanças Pessoais"}},
        // Three pages of histories: each page says which of the three it is.
        PdfCase{"threePages",
                "RepHsto",
                [](Catalogue &c) { fillHistories(c, 150); },
                {"Página 1/3", "Página 2/3", "Página 3/3", "HISTÓRICO NÚMERO 150"},
                {"Página 1/1", "Página 4/"},
                3},
        PdfCase{"assetCategories",
                "RepBensCat",
                [](Catalogue &c) {
                    c.setDataView("DvBensCat", entries({"CodCat", "NomeCat"},
                                                       {{1, "Imóveis"}, {2, "Veículos"}}));
                },
                {"Relação de Categorias de Bens", "Nome da Categoria", "Veículos"}},
        PdfCase{"chart",
                "RepCta",
                fillChart,
                {"Plano de Contas", "Conta", "Nome/Descrição da Conta", "Red", "0.01.01",
                 "Carteira", "243", "Moradia"}},
        PdfCase{"entrySearch",
                "RepFinPesq",
                [](Catalogue &c) { fillEntrySearch(c, "DvFinPesq"); },
                {"Relação de Lançamentos", "Código", "Dest", "Orig", "Num Doc", "000012",
                 "05/02/2026", "3.500,50", "NF 77", "Ok", "--"}},
        PdfCase{"upcomingEntries",
                "RepFinProx",
                [](Catalogue &c) {
                    fillEntrySearch(c, "DvFinProx");
                    c.setParameter("ReportTitle1", "Lançamentos Futuros");
                },
                {"Lançamentos Futuros", "000013", "SALÁRIO"}},
        PdfCase{"assets",
                "RepBens",
                [](Catalogue &c) { fillAssets(c, "DvBens"); },
                {"Relação de Bens", "Descrição do Bem", "Vlr Aquisição", "Valor 31/12/26", "000002",
                 "01/06/2015", "250.000,50", "2 bens.",
                 "Valor Total dos Bens em 31/12/26:", "280.000,50"}},
        PdfCase{"assetSearch",
                "RepBensPesq",
                [](Catalogue &c) { fillAssets(c, "DvBensPesq"); },
                {"Bens Pesquisados", "Valor 31/12/26", "Veículos", "280.000,50"}},
        PdfCase{"trialBalance",
                "RepBcte",
                fillTrialBalance,
                {"Balancete Fevereiro/2026", "Saldo 31/01/26", "Mov Fev/26", "Saldo 28/02/26",
                 "Saldo/Circulante", "Carteira", "105,00"}},
        PdfCase{"budgetNothingBudgeted",
                "RepOrc",
                [](Catalogue &c) { fillBudget(c, "0.00"); },
                {"Orçamento [Fevereiro/2026]", "Valor Orçado", "Realizado", "%Realiz",
                 "Saldo do Mês", "(=) Resultado do Mês", "-", "12,50"},
                {"11,50"}},
        PdfCase{"ledger",
                "RepRazao",
                fillLedger,
                {"Relação de Extratos de Contas", "Conta:", "0.01.01", "Carteira",
                 "Saldo Anterior:", "1.000,00", "PADARIA", "2 lançamento(s)",
                 "Mov.Período:", "1.050,00", "Cofrinho", "Saldo Atual:", "0 lançamento(s)"},
                {"Disponível", "Saldo/Circulante"}},
        PdfCase{"statement",
                "RepExtrato",
                fillStatement,
                {"Extrato de Conta Fevereiro/2026", "Saldo Anterior (31/01/26):", "GÁS",
                 "4 lançamento(s)", "Movimento do Período:", "Saldo Atual (28/02/26):", "1.035,00"},
                {"Saldo do Dia"}},
        PdfCase{"dailyStatement",
                "RepExtratoDiario",
                fillStatement,
                {"3 lançamento(s)", "Movimento do Dia:", "185,00", "Saldo do Dia (05/02/2026):",
                 "1.185,00", "1 lançamento(s)", "Saldo do Dia (07/02/2026):", "1.035,00"},
                {"Movimento do Período:", "Saldo do Dia (06/02/2026)"}},
        PdfCase{"loanSchedule",
                "RepMatFinDivida",
                [](Catalogue &c) { fillMatFin(c, true); },
                {"Cálculos Financeiros", "Tabela de Evolução do Saldo Devedor", "Informações",
                 "do Empréstimo", "Valor do Empréstimo", "1.000,00", "Taxa de Juros", "% a.m.",
                 "meses", "Sem", "Parc", "Data Parc", "Vlr Cap (0,5%)", "Saldo Devedor",
                 "Total Pago", "28/02/2026", "Total", "Página 1/1"},
                {"Maria da Silva"}},
        PdfCase{"savingsSchedule",
                "RepMatFinCap",
                [](Catalogue &c) { fillMatFin(c, false); },
                {"Cálculos Financeiros", "Tabela de Evolução de Capitalização", "Informações de",
                 "Capitalização", "Depósito Mensal", "Montante Acumulado", "203,01", "Com", "Dep",
                 "Data Dep", "Vlr Depósito", "Total Depósitos", "Vlr Capitalizado", "Total"}}),
    [](const auto &info) { return std::string(info.param.name); });

const Cell *findCell(const BandedReport &r, const QString &text)
{
    for (const Band &b : r.bands)
        for (const Cell &c : b.cells)
            if (c.text == text)
                return &c;
    return nullptr;
}

// Colours and blanks, which text extraction cannot show, read from the laid-out bands.
TEST(ReportBands, TrialBalanceSignedWithTolerance)
{
    Catalogue c;
    fillTrialBalance(c);
    const BandedReport r = c.define("RepBcte");
    ASSERT_EQ(r.bands.size(), 3u);
    // Column 4 is the movement: -0.0004 neutral, -0.002 red, 5 blue, all with their texts.
    EXPECT_EQ(r.bands[0].cells[4].text, "0,00");
    EXPECT_EQ(r.bands[0].cells[4].color, kNeutral);
    EXPECT_EQ(r.bands[1].cells[4].text, "0,00");
    EXPECT_EQ(r.bands[1].cells[4].color, kNegative);
    EXPECT_EQ(r.bands[2].cells[4].text, "5,00");
    EXPECT_EQ(r.bands[2].cells[4].color, kPositive);
    // Account levels: the group on a shaded band in bold, the title's name bold and indented.
    EXPECT_TRUE(r.bands[0].shade.isValid());
    EXPECT_EQ(r.bands[0].cells[0].font, FontRole::Bold);
    EXPECT_EQ(r.bands[1].cells[1].text, "    Disponível");
    EXPECT_EQ(r.bands[1].cells[1].font, FontRole::Bold);
    EXPECT_EQ(r.bands[2].cells[1].text, "        Carteira");
    EXPECT_FALSE(r.bands[2].shade.isValid());
}

TEST(ReportBands, BudgetTotalsKeepTheirSign)
{
    Catalogue c;
    fillBudget(c, "0.00");
    const BandedReport r = c.define("RepOrc");
    const Band &footer = r.bands.back();
    ASSERT_EQ(footer.cells.size(), 5u);
    EXPECT_EQ(footer.cells[0].text, "(=) Resultado do Mês");
    EXPECT_EQ(footer.cells[1].text, "0,00");
    EXPECT_EQ(footer.cells[1].color, kPositive);
    // "-12.50" is -12,50: shown as 12,50 in red, never 11,50.
    EXPECT_EQ(footer.cells[2].text, "12,50");
    EXPECT_EQ(footer.cells[2].color, kNegative);
    EXPECT_EQ(footer.cells[3].text, "-   ");
    EXPECT_EQ(footer.cells[4].text, "12,50");
    // Rows: expense amounts in red, the balance in signed colouring.
    EXPECT_EQ(r.bands[1].cells[4].color, kNegative);
    EXPECT_EQ(r.bands[1].cells[6].color, kNegative);

    Catalogue d;
    fillBudget(d, "-1000.00");
    EXPECT_EQ(d.define("RepOrc").bands.back().cells[3].text, "1,25%");
    d.setParameter("ResultVReal", "doze");
    EXPECT_THROW(d.define("RepOrc"), app::Error);
}

TEST(ReportBands, LedgerLabelsAndSkippedAccounts)
{
    Catalogue c;
    fillLedger(c);
    const BandedReport r = c.define("RepRazao");
    // Two level-3 accounts: heading, lines and footer each; the group and title rows print nothing.
    ASSERT_NE(findCell(r, "Saldo Anterior:  "), nullptr);
    ASSERT_NE(findCell(r, "   Saldo Atual:"), nullptr);
    EXPECT_EQ(findCell(r, "0.01"), nullptr);
    EXPECT_EQ(findCell(r, "0"), nullptr);
    int headings = 0;
    for (const Band &b : r.bands)
        headings += b.keepWithNext;
    EXPECT_EQ(headings, 2);
    EXPECT_EQ(findCell(r, "PADARIA")->color, QColor(Qt::black));
    EXPECT_EQ(findCell(r, "100,00")->color, kNegative);
}

// A group heading is never left alone at the bottom of a page.
TEST(ReportBands, HeadingMovesWithItsFirstLine)
{
    BandedReport r;
    r.columns = {{"Coluna", 0, 100}};
    r.bands.resize(200);
    const int perPage = pageRanges(*layOut(r))[0].second;
    // The heading would be the last band of the first page.
    r.bands[size_t(perPage - 1)].keepWithNext = true;
    const auto pages = pageRanges(*layOut(r));
    EXPECT_EQ(pages[0].second, perPage - 1);
    EXPECT_EQ(pages[1].first, perPage - 1);
}

TEST(ReportCatalogue, RefusalsReachTheErrorHandler)
{
    Catalogue c;
    EXPECT_THROW(c.build("RepNada"), app::Error);
    EXPECT_THROW(c.build("RepHsto"), app::Error); // no data view
    c.setDataView("DvHsto", DataView({"Codigo", "Descricao"}));
    EXPECT_TRUE(c.isEmpty("RepHsto"));
    EXPECT_THROW(c.build("RepHsto"), app::Error);     // never an empty document
    c.setDataView("DvFinPesq", DataView({"Codigo"})); // a view without the report's fields
    c.setDataView("DvFinPesq", entries({"Codigo"}, {{1}}));
    EXPECT_THROW(c.build("RepFinPesq"), app::Error);
}

TEST(ReportCatalogue, LaidOutOnceWithProgressPerPage)
{
    Catalogue c;
    fillHistories(c, 150);
    std::vector<int> seen;
    const auto doc = c.build("RepHsto", [&](int page) { seen.push_back(page); });
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(doc->title(), "Relação de Históricos");
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    app::AjustarFormatoDatas();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
