#include "matfinexport.h"

#include <app/format.h>

#include <algorithm>

namespace calc {

namespace {

using app::CsvWriter;

QString fill(int width)
{
    return QString(width, ';');
}

// Numbers as plain decimal text: decimal comma, no grouping, never an exponent.
QString num(long double v)
{
    return app::formatGeneral(v);
}

QString num(const std::optional<double> &v)
{
    return num(v.value_or(0));
}

QString cell(const GridValue &v)
{
    return v ? num(*v) : QString();
}

QString dateCell(const QDate &d)
{
    return d.isValid() ? CsvWriter::date(d) : QString();
}

QString entrada(const MatFinPrm &row)
{
    return QString::number(timingOf(row));
}

// Lines 1 to 4 of every sheet, and its own title block (lines 5 to 8).
CsvWriter startSheet(int width, const QString &product, const QString &heading)
{
    CsvWriter w(fill(width));
    w.addBanner();
    w.addLine(product + fill(width));
    w.addEmptyLine();
    w.addLine(heading + fill(width));
    w.addEmptyLine();
    return w;
}

// Lines 12 to 17 of a schedule sheet: the typed input, "Calcular:", the solved quantity's
// formula and the note on what recalculates.
void inputAndSolved(CsvWriter &w, int width, const QString &input, const QString &solved,
                    const QString &note, int noteWidth)
{
    w.addLine(input);
    w.addEmptyLine();
    w.addLine("Calcular:" + fill(width));
    w.addLine(solved);
    w.addEmptyLine();
    w.addLine(note + fill(noteWidth));
}

QString row(const QStringList &cells)
{
    return cells.join(';') + ';';
}

// --------------------------------------------------------------- basic calculation

// Each quantity of the basic calculator: its line in the sheet, the formula that solves it (the
// known quantities stand in column D of lines 9 to 12 in the order n, i, PV, PMT, FV, the timing
// in D13), and the file name and title of its export.
struct Quantity
{
    const char *label, *unit, *english, *formula, *fileName, *title;
};

const Quantity kQuantities[5] = {
    {"Número de Períodos (Prazo):", "nPer", "[n] Number of Periods",
     "=NPER(D9/100;D11;D10;D12;D13)", "CalcFin_NumeroDePeriodos_n.CSV",
     "Cálculo do Número de Períodos [n]"},
    {"Taxa de Juros:", "%", "[i] Interest Rate", "=TAXA(D9;D11;D10;D12;D13)*100",
     "CalcFin_TaxaDeJuros_i.CSV", "Cálculo da Taxa de Juros [i]"},
    {"Valor Presente:", "$", "[PV] Present Value", "=VP(D10/100;D9;D11;D12;D13)",
     "CalcFin_ValorPresente_PV.CSV", "Cálculo do Valor Presente [PV]"},
    {"Pagamento (Parcela):", "$", "[PMT] Payment", "=PGTO(D10/100;D9;D11;D12;D13)",
     "CalcFin_Pagamento_PMT.CSV", "Cálculo do Pagamento (Parcela) [PMT]"},
    {"Valor Futuro:", "$", "[FV] Future Value", "=VF(D10/100;D9;D12;D11;D13)",
     "CalcFin_ValorFuturo_FV.CSV", "Cálculo do Valor Futuro [FV]"},
};

const Quantity &quantity(BasicFunction q)
{
    return kQuantities[std::clamp(int(q), 1, 5) - 1];
}

std::optional<double> quantityValue(const MatFinPrm &r, BasicFunction q)
{
    const std::optional<double> values[5] = {r.NPer, r.Taxa, r.PV, r.Prestacao, r.FV};
    return values[std::clamp(int(q), 1, 5) - 1];
}

QString quantityLine(BasicFunction q, const QString &value)
{
    const Quantity &d = quantity(q);
    return QString::fromUtf8(d.label) + ";;;" + value + ";" + QString::fromUtf8(d.unit) + ";;" +
           QString::fromUtf8(d.english) + ";";
}

} // namespace

QString columnName(int column)
{
    QString name;
    while (column > 0) {
        const int d = (column - 1) % 26;
        name.prepend(QChar('A' + d));
        column = (column - 1) / 26;
    }
    return name;
}

QString basicCalcFileName(BasicFunction f)
{
    return QString::fromUtf8(quantity(f).fileName);
}

QString basicCalcTitle(BasicFunction f)
{
    return QString::fromUtf8(quantity(f).title);
}

CsvWriter basicCalcCsv(const MatFinPrm &r, BasicFunction f)
{
    CsvWriter w = startSheet(7, "Quorvila :: Calculadora Financeira Básica", basicCalcTitle(f));
    for (BasicFunction q : {BasicFunction::N, BasicFunction::I, BasicFunction::PV,
                            BasicFunction::PMT, BasicFunction::FV})
        if (q != f)
            w.addLine(quantityLine(q, num(quantityValue(r, q))));
    w.addLine(CsvWriter::quote("=Se(D13=0;\"Pagamento no Final do Período\";\"Pagamento no Início "
                               "do Período\")") +
              ";;;" + entrada(r) + ";" +
              CsvWriter::quote("=Se(D13=0;\"(Sem Entrada)\";\"(Com Entrada)\")") + ";;" +
              "Start or End of Period" + ";");
    w.addLine(fill(8));
    w.addLine("Calcular:" + fill(8));
    w.addLine(quantityLine(f, CsvWriter::quote(QString::fromUtf8(quantity(f).formula))));
    return w;
}

CsvWriter termRateCsv(const MatFinPrm &loan, const TermRateTable &t)
{
    CsvWriter w = startSheet(11, "Quorvila :: Análise de Prazos e Taxas",
                             "Informações Básicas do Empréstimo");
    w.addLine("Valor do Empréstimo (Dívida)*:;;;" + num(loan.PV) + ";reais;;;;Visualizar:;;;");
    w.addLine("Entrada;;;" + entrada(loan) + ";" +
              CsvWriter::quote("=Se(D10=0;\"Sem Entrada\";\"Com Entrada\")") +
              ";;;;1;(1-Prestações  -  2-Montante Pago  -  3-Total de Juros Pagos);;");
    w.addEmptyLine();
    w.addLine("(*) Altere o Valor do Empréstimo e a Tabela será atualizada automaticamente!" +
              fill(11));
    w.addEmptyLine();
    w.addEmptyLine();
    w.addLine(CsvWriter::quote(
                  "=SE($I$10=2;\"Tabela de Análise de Montante Pago para Diversos Prazos e Taxas "
                  "de Juros\";SE($I$10=3;\"Tabela de Análise de Total de Juros Pagos para "
                  "Diversos Prazos e Taxas de Juros\";\"Tabela de Análise de Valor das Prestações "
                  "para Diversos Prazos e Taxas de Juros\"))") +
              fill(11));
    w.addEmptyLine();
    QString header =
        CsvWriter::quote("=SE($I$10=2;\"Montantes\";SE($I$10=3;\"Juros Pagos\";\"Prestações\"))") +
        ";";
    for (int i = 1; i < TermRateTable::kSize; ++i)
        header += num(t.prestacoes[i][0] * 100) + ";";
    w.addLine(header);
    for (int j = 1; j < TermRateTable::kSize; ++j) {
        const QString x = QString::number(j + 17);
        QString line = num(t.prestacoes[0][j]) + ";";
        for (int i = 1; i < TermRateTable::kSize; ++i) {
            const QString k = columnName(i + 1);
            const QString f = "-PGTO(" + k + "$17/100;$A" + x + ";$D$9;0;$D$10)";
            line += CsvWriter::quote("=SE($I$10=2;" + f + "*$A" + x + ";SE($I$10=3;" + f + "*$A" +
                                     x + "-$D$9;" + f + "))") +
                    ";";
        }
        w.addLine(line);
    }
    return w;
}

CsvWriter savingsCsv(const MatFinPrm &sv, const std::vector<MatFinGridRow> &rows, int layout)
{
    CsvWriter w =
        startSheet(8, "Quorvila :: Análise de Capitalização", "Informações de Capitalização");
    w.addLine("Prazo (Número de Depósitos):;;;" + num(sv.NPer) + ";meses;;;;");
    w.addLine("Taxa de Juros*:;;;" + num(sv.Taxa) + ";% a.m.;;;;");
    w.addLine("Entrada;;;" + entrada(sv) + ";" +
              CsvWriter::quote("=Se(D11=0;\"Sem Entrada - Depósito no Final de cada "
                               "Período\";\"Com Entrada - Depósito no Início de cada Período\")") +
              ";;;;");
    QString dep;
    if (layout == 2) {
        inputAndSolved(w, 8, "Montante a Poupar*:;;;" + num(sv.FV) + ";reais;;;;",
                       "Depósito Mensal:;;;" + CsvWriter::quote("=PGTO(D10/100;D9;0;-D12;D11)") +
                           ";reais;;;;",
                       "(*) Alterando a \"Taxa de Juros\" ou o \"Montante a Poupar\", o Depósito "
                       "Mensal e Tabela serão recalculados automaticamente.",
                       8);
        dep = "15";
    } else {
        inputAndSolved(w, 8, "Depósito Mensal*:;;;" + num(sv.Prestacao) + ";reais;;;;",
                       "Montante Acumulado:;;;" + CsvWriter::quote("=-VF(D10/100;D9;D12;0;D11)") +
                           ";reais;;;;",
                       "(*) Alterando a \"Taxa de Juros\" ou o \"Depósito Mensal\", o Montante "
                       "Acumulado e a Tabela serão recalculados automaticamente.",
                       11);
        dep = "12";
    }
    w.addEmptyLine();
    w.addEmptyLine();
    w.addLine("Tabela de Evolução de Capitalização (Com Fórmulas)" + fill(8));
    w.addEmptyLine();
    w.addLine("Nº Dep;Data Dep;Vlr Depósito;Juros;Vlr Capitalizado;Total Depósitos;Taxa (%);Taxa "
              "Acum (un);");
    w.addEmptyLine();
    const QString d = "=$D$" + dep;
    const bool comEntrada = timingOf(sv) == 1;
    int line = 24;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const MatFinGridRow &r = rows[k];
        if (r.NumParcela == QLatin1String("Total"))
            break;
        const QString x = QString::number(line);
        const QString p = QString::number(line - 1);
        const QString further = "=E" + p + "*G" + x + "/100;=E" + p + "+C" + x + "+D" + x + ";=F" +
                                p + "+C" + x + ";=G" + p + ";=(1+H" + p + ")*(1+(G" + x +
                                ")/100)-1";
        QStringList c{r.NumParcela, dateCell(r.DataParc)};
        if (k == 0 && comEntrada)
            c << d << cell(r.PgtoJuros) << d << d << "=$D$10" << cell(r.TaxaAcum);
        else if (k == 0)
            c << cell(r.Pgto) << cell(r.PgtoJuros) << cell(r.SaldoAcum) << cell(r.SomaPgto)
              << "=$D$10" << cell(r.TaxaAcum);
        else if (k == 1 && !comEntrada)
            c << d << "=E24*G25/100"
              << "=E24+C25+D25"
              << "=F24+C25"
              << "=G24"
              << "=$D$10/100";
        else if (r.NumParcela.isEmpty())
            c << cell(r.Pgto) << further;
        else
            c << "=C" + p << further;
        w.addLine(row(c));
        ++line;
    }
    const QString n = QString::number(line - 1);
    w.addLine("Total;;=SOMA(C24:C" + n + ");=SOMA(D24:D" + n + ");=E" + n + ";=F" + n + ";;;");
    return w;
}

CsvWriter loanCsv(const MatFinPrm &loan, const std::vector<MatFinGridRow> &rows, int layout)
{
    CsvWriter w = startSheet(11, "Quorvila :: Análise de Empréstimo", "Informações do Empréstimo");
    w.addLine("Valor do Empréstimo (Dívida)*:;;;" + num(loan.PV) + ";reais;;;;;;;");
    w.addLine("Prazo (Número de Prestações):;;;" + num(loan.NPer) + ";meses;;;;;;;");
    w.addLine("Entrada;;;" + entrada(loan) + ";" +
              CsvWriter::quote("=Se(D11=0;\"Sem Entrada\";\"Com Entrada\")") + ";;;;;;;");
    QString inst, rate;
    if (layout == 2) {
        inputAndSolved(w, 11, "Taxa de Juros*:;;;" + num(loan.Taxa) + ";% a.m.;;;;;;;",
                       "Valor da Prestação (Parcela):;;;" +
                           CsvWriter::quote("=PGTO(D12/100;D10;-D9;0;D11)") + ";reais;;;;;;;",
                       "(*) Alterando o \"Valor do Empréstimo\" ou a \"Taxa de Juros\", a "
                       "Prestação e a Tabela serão recalculados automaticamente.",
                       11);
        inst = "15";
        rate = "12";
    } else {
        inputAndSolved(w, 11,
                       "Valor da Prestação (Parcela)*:;;;" + num(loan.Prestacao) + ";reais;;;;;;;",
                       "Taxa de Juros:;;;" + CsvWriter::quote("=TAXA(D10;D12;-D9;0;D11)*100") +
                           ";% a.m.;;;;;;;",
                       "(*) Alterando o \"Valor do Empréstimo\" ou a \"Prestação\", a Taxa de "
                       "Juros e a Tabela serão recalculados automaticamente.",
                       11);
        inst = "12";
        rate = "15";
    }
    w.addEmptyLine();
    w.addEmptyLine();
    w.addLine("Tabela de Evolução do Saldo Devedor (Com Fórmulas)" + fill(11));
    w.addEmptyLine();
    w.addLine("Parc;DataParc;Prestação;Juros;Principal;Saldo Devedor;Total Pago; Vlr "
              "Capitalizado; Taxa (%);Taxa Acum (un); Prestação VP;");
    w.addEmptyLine();
    const QString di = "=$D$" + inst;
    const QString dr = "=$D$" + rate;
    const QString ref = num(kTaxaReferenciaPoupanca);
    const bool comEntrada = timingOf(loan) == 1;
    int line = 24;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const MatFinGridRow &r = rows[k];
        if (r.NumParcela == QLatin1String("Total"))
            break;
        const QString x = QString::number(line);
        const QString p = QString::number(line - 1);
        QStringList c{r.NumParcela, dateCell(r.DataParc)};
        if (k == 0 && comEntrada)
            c << di << cell(r.PgtoJuros) << di << "=$D$9-C24" << di << di << dr << cell(r.TaxaAcum)
              << di;
        else if (k == 0)
            c << cell(r.Pgto) << cell(r.PgtoJuros) << cell(r.PgtoPrincipal) << "=$D$9"
              << cell(r.SomaPgto) << cell(r.VlrCapitalizado) << dr << cell(r.TaxaAcum)
              << cell(r.PgtoVlrPresente);
        else if (k == 1 && !comEntrada)
            c << di << "=F24*I25/100"
              << "=C25-D25"
              << "=F24-E25"
              << "=G24+C25"
              << "=C25"
              << "=I24"
              << "=I25/100"
              << "=C25/(1+J25)";
        else
            c << "=C" + p << "=F" + p + "*I" + x + "/100"
              << "=C" + x + "-D" + x << "=F" + p + "-E" + x << "=G" + p + "+C" + x
              << "=H" + p + "*(1+" + ref + ")+C" + x << "=I" + p
              << "=(1+J" + p + ")*(1+(I" + x + ")/100)-1"
              << "=C" + x + "/(1+J" + x + ")";
        w.addLine(row(c));
        ++line;
    }
    const QString n = QString::number(line - 1);
    w.addLine("Total;;=SOMA(C24:C" + n + ");=SOMA(D24:D" + n + ");=SOMA(E24:E" + n + ");;=G" + n +
              ";=H" + n + ";;;=SOMA(K24:K" + n + ");");
    return w;
}

} // namespace calc
