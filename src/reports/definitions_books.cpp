// The reports of the books: trial balance, budget, the ledger of all accounts and the statement
// of one account (with or without daily totals).
#include "definitions_internal.h"

#include <app/error.h>
#include <app/format.h>

namespace reports::internal {

BandedReport trialBalanceReport(const ReportContext &ctx)
{
    BandedReport r;
    r.header.title = ctx.param("ReportTitle1");
    r.columns = {{"Conta", 0, 50},
                 {"Nome/Descrição da Conta", 52, 236},
                 {"Red", 290, 30, Qt::AlignRight},
                 {ctx.param("SaldoAnt"), 323, 70, Qt::AlignRight},
                 {ctx.param("Variacao"), 396, 70, Qt::AlignRight},
                 {ctx.param("SaldoAtual"), 469, 70, Qt::AlignRight}};
    const DataView &v = ctx.view("DvBcte");
    for (int i = 0; i < v.rowCount(); ++i) {
        const QString code = v.text(i, "ExtCta");
        Band b = rowBand(r.columns,
                         {code, indentedName(code, v.text(i, "TituloDescr")), v.text(i, "Cta")});
        setSigned(b, 3, v.number(i, "SaldoAnt"), true);
        setSigned(b, 4, v.number(i, "VariacaoSaldo"), true);
        setSigned(b, 5, v.number(i, "SaldoAtual"), true);
        applyAccountLevel(b, code);
        r.bands.push_back(b);
    }
    return r;
}

static double requiredTotal(const ReportContext &ctx, const QString &name)
{
    const QString text = ctx.param(name);
    const auto v = budgetTotal(text);
    if (!v)
        QUORVILA_THROW(app::Error, "'" + text +
                                       "' não é um valor de ponto flutuante válido. "
                                       "Verifique!");
    return *v;
}

static Cell budgetTotalCell(qreal x, qreal w, double value)
{
    return cell(x, w, app::formatNumber(std::abs(value), "#,##0.00"), FontRole::Bold,
                Qt::AlignRight, value < 0 ? kNegative : kPositive);
}

BandedReport budgetReport(const ReportContext &ctx)
{
    // Read first: a total that is not a number stops the report before it is laid out.
    const double vOrc = requiredTotal(ctx, "ResultVOrc");
    const double vReal = requiredTotal(ctx, "ResultVReal");
    const double saldo = requiredTotal(ctx, "ResultSaldo");
    BandedReport r;
    r.header.title = ctx.param("ReportTitle1");
    r.columns = {{"Conta", 0, 45},
                 {"Nome/Descrição da Conta", 47, 205},
                 {"Red", 254, 28, Qt::AlignRight},
                 {"Valor Orçado", 286, 62, Qt::AlignRight},
                 {"Realizado", 352, 62, Qt::AlignRight},
                 {"%Realiz", 418, 50, Qt::AlignRight},
                 {"Saldo do Mês", 472, 67, Qt::AlignRight}};
    const DataView &v = ctx.view("DvOrc");
    for (int i = 0; i < v.rowCount(); ++i) {
        const QString code = v.text(i, "ExtCta");
        Band b = rowBand(r.columns,
                         {code, indentedName(code, v.text(i, "Descricao")), v.text(i, "CodRed"),
                          app::formatNumber(std::abs(v.number(i, "ValorOrcado")), "#,##0.00"),
                          app::formatNumber(std::abs(v.number(i, "Realizado")), "#,##0.00"),
                          v.text(i, "PercRealizado")});
        const QColor groupColour = code.startsWith('1')   ? kPositive
                                   : code.startsWith('2') ? kNegative
                                                          : QColor(Qt::black);
        for (int c = 3; c <= 5; ++c)
            b.cells[size_t(c)].color = groupColour;
        setSigned(b, 6, v.number(i, "Saldo"));
        applyAccountLevel(b, code);
        r.bands.push_back(b);
    }
    Band footer;
    footer.height = 16;
    footer.lineAbove = true;
    footer.cells = {cell(47, 205, "(=) Resultado do Mês", FontRole::Bold),
                    budgetTotalCell(286, 62, vOrc), budgetTotalCell(352, 62, vReal),
                    cell(418, 50, percentText(vReal, vOrc), FontRole::Bold, Qt::AlignRight),
                    budgetTotalCell(472, 67, saldo)};
    r.bands.push_back(footer);
    return r;
}

static std::vector<Column> entryColumns()
{
    return {{"Código", 0, 38, Qt::AlignCenter}, {"Data", 40, 50, Qt::AlignCenter},
            {"Dest ", 92, 28, Qt::AlignRight},  {"Orig", 124, 28, Qt::AlignRight},
            {"Histórico/Descrição", 160, 242},  {"Num Doc", 406, 62},
            {"Valor", 470, 69, Qt::AlignRight}};
}

// The columns of an entry line, found once per view.
struct EntryFields
{
    explicit EntryFields(const DataView &v)
        : cta(v.columnIndex("Cta")), codigo(v.columnIndex("Codigo")), data(v.columnIndex("Data")),
          dest(v.columnIndex("Dest")), orig(v.columnIndex("Orig")), hsto(v.columnIndex("Hsto")),
          numDoc(v.columnIndex("NumDoc")), valor(v.columnIndex("Valor"))
    {
    }
    int cta, codigo, data, dest, orig, hsto, numDoc, valor;
};

static Band entryLine(const std::vector<Column> &cols, const DataView &v, const EntryFields &f,
                      int i)
{
    Band b = rowBand(cols, {codeText(v.at(i, f.codigo), "000000"), dateText(v.at(i, f.data)),
                            v.at(i, f.dest).toString(), v.at(i, f.orig).toString(),
                            v.at(i, f.hsto).toString(), v.at(i, f.numDoc).toString()});
    setSigned(b, 6, v.at(i, f.valor).toDouble());
    return b;
}

// "Conta: 0.01.01  11  Carteira", the account's heading.
static Band accountHeading(const DataView &bcte, int row)
{
    Band b;
    b.height = 14;
    b.shade = kGroupShade;
    b.keepWithNext = true;
    b.cells = {cell(0, 34, "Conta:", FontRole::Bold),
               cell(36, 50, bcte.text(row, "ExtCta"), FontRole::Bold),
               cell(88, 30, bcte.text(row, "Cta"), FontRole::Bold, Qt::AlignRight),
               cell(124, 250, bcte.text(row, "TituloDescr"), FontRole::Bold)};
    return b;
}

static void addLabelled(Band &b, qreal labelX, qreal labelW, const QString &label, qreal valueX,
                        qreal valueW, double value)
{
    b.cells.push_back(cell(labelX, labelW, label, FontRole::Bold));
    b.cells.push_back(signedCell(valueX, valueW, value, false, FontRole::Bold));
}

static Band countFooter(int count)
{
    Band b;
    b.height = 13;
    b.lineAbove = true;
    b.cells = {cell(0, 120, QString::number(count) + " lançamento(s)", FontRole::Bold)};
    return b;
}

// The ledger and the statements: the caller's title over the entry columns.
static BandedReport entriesReport(const ReportContext &ctx)
{
    BandedReport r;
    r.header.title = ctx.param("ReportTitle1");
    r.columns = entryColumns();
    return r;
}

BandedReport ledgerReport(const ReportContext &ctx)
{
    BandedReport r = entriesReport(ctx);
    const DataView &bcte = ctx.view("DvBcte");
    const DataView &lines = ctx.view("DvLcPrn");
    const EntryFields fields(lines);
    QHash<qint64, std::vector<int>> byAccount;
    for (int i = 0; i < lines.rowCount(); ++i)
        byAccount[lines.at(i, fields.cta).toLongLong()].push_back(i);
    for (int a = 0; a < bcte.rowCount(); ++a) {
        // Group and title accounts have no entries of their own.
        if (bcte.text(a, "ExtCta").length() < 7)
            continue;
        Band head = accountHeading(bcte, a);
        const bool moved = bcte.number(a, "TtDeb") != 0 || bcte.number(a, "TtCred") != 0;
        addLabelled(head, 380, 88, moved ? "Saldo Anterior:  " : "   Saldo Atual:", 470, 69,
                    bcte.number(a, "SaldoAnt"));
        r.bands.push_back(head);
        const std::vector<int> &mine = byAccount[bcte.value(a, "Cta").toLongLong()];
        for (int i : mine)
            r.bands.push_back(entryLine(r.columns, lines, fields, i));
        Band foot = countFooter(int(mine.size()));
        addLabelled(foot, 110, 110, "Mov.Período:", 222, 80, bcte.number(a, "VariacaoSaldo"));
        addLabelled(foot, 380, 88, "Saldo Atual:", 470, 69, bcte.number(a, "SaldoAtual"));
        r.bands.push_back(foot);
        r.bands.push_back(blankBand(8));
    }
    return r;
}

static QString dayLabel(const QDate &d)
{
    const auto two = [](int n) {
        return QString::number(n).rightJustified(2, '0');
    };
    return "Saldo do Dia (" + two(d.day()) + "/" + two(d.month()) + "/" + two(d.year()) + "):";
}

BandedReport statementReport(const ReportContext &ctx, bool daily)
{
    BandedReport r = entriesReport(ctx);
    const DataView &bcte = ctx.view("DvBcte");
    const DataView &lines = ctx.view("DvLctos");
    const EntryFields fields(lines);
    Band head = accountHeading(bcte, 0);
    r.bands.push_back(head);
    Band opening;
    opening.height = 13;
    addLabelled(opening, 310, 158, ctx.param("TextSaldoAnt"), 470, 69, bcte.number(0, "SaldoAnt"));
    r.bands.push_back(opening);
    const double saldoAnt = bcte.number(0, "SaldoAnt");
    double running = 0;
    int dayCount = 0;
    double daySum = 0;
    for (int i = 0; i < lines.rowCount(); ++i) {
        r.bands.push_back(entryLine(r.columns, lines, fields, i));
        running += lines.number(i, "Valor");
        daySum += lines.number(i, "Valor");
        ++dayCount;
        const QDate day = lines.date(i, "Data");
        const bool lastOfDay = i + 1 == lines.rowCount() || lines.date(i + 1, "Data") != day;
        if (daily && lastOfDay) {
            Band foot = countFooter(dayCount);
            addLabelled(foot, 110, 110, "Movimento do Dia:", 222, 80, daySum);
            addLabelled(foot, 310, 158, dayLabel(day), 470, 69, saldoAnt + running);
            r.bands.push_back(foot);
            r.bands.push_back(blankBand(6));
            dayCount = 0;
            daySum = 0;
        }
    }
    if (!daily) {
        Band foot = countFooter(lines.rowCount());
        addLabelled(foot, 110, 110, "Movimento do Período:", 222, 80,
                    bcte.number(0, "VariacaoSaldo"));
        addLabelled(foot, 310, 158, ctx.param("TextSaldoAtual"), 470, 69,
                    bcte.number(0, "SaldoAtual"));
        r.bands.push_back(foot);
    }
    return r;
}

} // namespace reports::internal
