#include "analysistexts.h"

#include "tvm.h"

#include <app/dates.h>
#include <app/format.h>

#include <cmath>

namespace calc {

namespace {

const QString kMoney = QStringLiteral("#,##0.00");
const QString kRate = QStringLiteral("#,##0.00####");
const QString kShort = QStringLiteral("#,##0.##");

QString fmt(long double v, const QString &pattern)
{
    return app::formatNumber(v, pattern);
}

QString whole(long double v)
{
    return app::formatNumber(v, QStringLiteral("0"));
}

QString entradaText(const MatFinPrm &row)
{
    return timingOf(row) == 1 ? QStringLiteral("Com Entrada") : QStringLiteral("Sem Entrada");
}

long double val(const std::optional<double> &v)
{
    return v.value_or(0);
}

long double val(const GridValue &v)
{
    return v.value_or(0);
}

// The interest-only instalment: with Entrada the first payment is made at once, so interest runs
// on what is left of the amount.
long double minimumPayment(long double pv, long double r, int t)
{
    return t == 1 ? pv / (1 + r) * r : pv * r;
}

} // namespace

QString fillTemplate(const QString &templateHtml, const Placeholders &list)
{
    QString text = templateHtml;
    for (const Placeholder &p : list) {
        QString escapedName = p.name.toHtmlEscaped();
        text.replace(escapedName, p.value.toHtmlEscaped());
    }
    return text;
}

QString analysisDate(const QDate &d)
{
    return d.isValid() ? app::formatDate(d, QStringLiteral("dd/MM/yyyy")) : QString();
}

int loanDetailTemplate(int finalidadeIndex)
{
    return finalidadeIndex >= 0 && finalidadeIndex <= 2 ? kTplLoanGeral + finalidadeIndex
                                                        : kTplLoanGeral;
}

Placeholders loanPlaceholders(const MatFinPrm &loan, const LoanSchedule &s)
{
    const long double pv = val(loan.PV);
    const long double n = val(loan.NPer);
    const long double p = val(loan.Prestacao);
    const long double renda = val(loan.Renda);
    const long double taxa = val(loan.Taxa);
    const long double r = taxa / 100;
    const long double j = s.totalInterest;
    const long double total = s.totalPaid;
    const int t = timingOf(loan);
    const long double d = p - j / n;
    // The months needed to save the amount by depositing, at the reference rate, what the
    // instalment repays beyond interest; a case the functions refuse leaves both figures at 0.
    long double months = 0;
    long double saved = 0;
    try {
        months = std::ceil(NumberOfPeriods(kTaxaReferenciaPoupanca, d, 0, -pv, t));
        saved = -FutureValue(kTaxaReferenciaPoupanca, qint64(months), d, 0, t);
    } catch (const CalcError &) {
        months = 0;
        saved = 0;
    }
    return {
        {"<VALOR>", fmt(pv, kMoney)},
        {"<PRAZO>", whole(n)},
        {"<V_PARC>", fmt(p, kMoney)},
        {"<ENTRADA>", entradaText(loan)},
        {"<TAXA_AM>", fmt(taxa, kRate)},
        {"<TAXA_AA>", fmt(annualRatePercent(taxa), kRate)},
        {"<TOT_PAGO>", fmt(total, kMoney)},
        {"<MULT_EMPR>", fmt(total / pv, kMoney)},
        {"<TOT_JUROS>", fmt(j, kMoney)},
        {"<V_PROPJUROS>", fmt(j / n, kMoney)},
        {"<RENDA>", fmt(renda, kMoney)},
        {"<%P_RENDA>", fmt(p / renda * 100, kMoney)},
        {"<%J_RENDA>", fmt(j / n / renda * 100, kMoney)},
        {"<J_PRAZO>", fmt(j / renda, kShort)},
        {"<J_PRAZO_ANO>", fmt(j / n / renda * 12, kShort)},
        {"<NUMMESES_CAP>", whole(s.capitalMonth)},
        {"<NUMMESES_VLRCAP>", fmt(s.capitalMonth > 0 ? s.capitalValue : 0, kMoney)},
        {"<%MESESCAP_PRAZO>", fmt(s.capitalMonth / n * 100, kMoney)},
        {"<ULTIMA_PARC>", analysisDate(s.lastDate)},
        {"<DIF_VPARC_JUROS>", fmt(d, kMoney)},
        {"<POUP_MESES>", whole(months)},
        {"<POUP_TOTAL>", fmt(saved, kMoney)},
        {"<V_MINIMO>", fmt(minimumPayment(pv, r, t), kMoney)},
        {"<V_MINIMOS>", fmt(pv * r, kMoney)},
        {"<V_MINIMOC>", fmt(pv / (1 + r) * r, kMoney)},
        {"<PARC_JUROS>", fmt(j / p, kShort)},
        {"<PARC_PRINC>", fmt(n - j / p, kShort)},
    };
}

int savingsTemplate(bool exact)
{
    return exact ? kTplSavingsExact : kTplSavingsRounded;
}

Placeholders savingsPlaceholders(const MatFinPrm &sv, const SavingsSchedule &s, long double n)
{
    const long double taxa = val(sv.Taxa);
    const long double p = val(sv.Prestacao);
    const long double renda = val(sv.Renda);
    long double ceilMontante = 0;
    try {
        ceilMontante = -FutureValue(taxa / 100, qint64(val(sv.NPer)), p, 0, timingOf(sv));
    } catch (const CalcError &) {
        ceilMontante = 0;
    }
    return {
        {"<MONTANTE>", fmt(val(sv.FV), kMoney)},
        {"<PRAZO>", fmt(n, QStringLiteral("#,##0.####"))},
        {"<CEIL_PRAZO>", whole(val(sv.NPer))},
        {"<V_PARC>", fmt(p, kMoney)},
        {"<ENTRADA>", entradaText(sv)},
        {"<TAXA_AM>", fmt(taxa, kRate)},
        {"<TAXA_AA>", fmt(annualRatePercent(taxa), kRate)},
        {"<TOT_PAGO>", fmt(s.totalDeposited, kMoney)},
        {"<TOT_JUROS>", fmt(s.totalInterest, kMoney)},
        {"<RENDA>", fmt(renda, kMoney)},
        {"<%P_RENDA>", fmt(renda != 0 ? p / renda * 100 : 0, kMoney)},
        {"<ULTIMA_PARC>", analysisDate(s.lastDate)},
        {"<CEIL_MONTANTE>", fmt(ceilMontante, kMoney)},
    };
}

int scheduleRowTemplate(const MatFinPrm &loan, const MatFinGridRow &row)
{
    const int t = timingOf(loan);
    int code = kTplRowOther;
    if (t == 0 && row.NumParcela == QLatin1String("0"))
        code = kTplRowZero;
    if (t == 1 && row.NumParcela == QLatin1String("1"))
        code = kTplRowFirstWithEntrada;
    if (row.NumParcela == whole(val(loan.NPer)))
        code = kTplRowLast;
    if (row.NumParcela == QLatin1String("Total"))
        code = kTplRowTotal;
    return code;
}

Placeholders scheduleRowPlaceholders(const MatFinPrm &loan, const MatFinGridRow &row)
{
    const long double pv = val(loan.PV);
    const long double saldo = val(row.SaldoAcum);
    return {
        {"<NUMPARC>", row.NumParcela},
        {"<V_PARC>", fmt(val(loan.Prestacao), kMoney)},
        {"<JUROS_PARC>", fmt(val(row.PgtoJuros), kMoney)},
        {"<PRINC_PARC>", fmt(val(row.PgtoPrincipal), kMoney)},
        {"<SALDODEV>", fmt(saldo, kMoney)},
        {"<TOTPG>", fmt(val(row.SomaPgto), kMoney)},
        {"<JUROS_TOT>", fmt(val(row.SomaPgto) - (pv - saldo), kMoney)},
        {"<PRINC_TOT>", fmt(pv - saldo, kMoney)},
        {"<TOTCAP>", fmt(val(row.VlrCapitalizado), kMoney)},
        {"<DATA_PARC>", analysisDate(row.DataParc)},
        {"<VALOR>", fmt(pv, kMoney)},
        {"<PRAZO>", whole(val(loan.NPer))},
        {"<TAXA_AM>", fmt(val(loan.Taxa), kRate)},
    };
}

namespace {

// The figures of one option of the term-and-rate table.
struct OptionFigures
{
    long double m, rho, p, total, interest, mult, jPrazo, parcJuros, parcPrinc;
};

OptionFigures figures(const TermRateTable &t, TermRateCell c, const MatFinPrm &loan)
{
    OptionFigures f{};
    const long double pv = val(loan.PV);
    const long double renda = val(loan.Renda);
    f.m = t.prestacoes[0][c.term];
    f.rho = t.prestacoes[c.rate][0];
    f.p = t.prestacoes[c.rate][c.term];
    f.total = f.m * f.p;
    f.interest = f.total - pv;
    f.mult = pv != 0 ? f.total / pv : 0;
    f.jPrazo = renda != 0 ? f.interest / renda : 0;
    f.parcJuros = f.p != 0 ? f.interest / f.p : 0;
    f.parcPrinc = f.m - f.parcJuros;
    return f;
}

} // namespace

Placeholders optionPlaceholders(const TermRateTable &t, TermRateCell cell, const MatFinPrm &loan,
                                bool fixedOption)
{
    const OptionFigures f = figures(t, cell, loan);
    const QString x = fixedOption ? QStringLiteral("F") : QString();
    const auto name = [&x](const char *n) {
        return "<" + x + QLatin1String(n) + ">";
    };
    const long double pv = val(loan.PV);
    return {
        {"<VALOR>", fmt(pv, kMoney)},
        {name("PRAZO"), fmt(f.m, "0")},
        {name("V_PARC"), fmt(f.p, kMoney)},
        {name("ENTRADA"), entradaText(loan)},
        {name("TAXA_AM"), fmt(f.rho * 100, kRate)},
        {name("TAXA_AA"), fmt((std::pow(1 + f.rho, 12.0L) - 1) * 100, kRate)},
        {name("TOT_PAGO"), fmt(f.total, kMoney)},
        {name("MULT_EMPR"), fmt(f.mult, kMoney)},
        {name("TOT_JUROS"), fmt(f.interest, kMoney)},
        {name("V_MINIMO"), fmt(minimumPayment(pv, f.rho, timingOf(loan)), kMoney)},
        {name("J_PRAZO"), fmt(f.jPrazo, kMoney)},
        {name("PARC_JUROS"), fmt(f.parcJuros, kShort)},
        {name("PARC_PRINC"), fmt(f.parcPrinc, kShort)},
        {"<RENDA>", fmt(val(loan.Renda), kMoney)},
    };
}

Placeholders comparisonPlaceholders(const TermRateTable &t, TermRateCell option1,
                                    TermRateCell option2, const MatFinPrm &loan)
{
    const OptionFigures a = figures(t, option1, loan);
    const OptionFigures b = figures(t, option2, loan);
    Placeholders out{{"<VALOR>", fmt(val(loan.PV), kMoney)}};
    // Sign word and amount of one compared figure; when unchanged, the texts given.
    const auto pair = [&out](const char *sign, const char *amount, long double delta,
                             const QString &pattern, const QString &prefix, const QString &suffix,
                             const QString &zeroSign, const QString &zeroAmount) {
        QString s = zeroSign;
        QString v = zeroAmount;
        if (delta != 0) {
            s = delta > 0 ? QStringLiteral("+") : QStringLiteral("-");
            v = prefix + fmt(std::fabs(delta), pattern) + suffix;
        }
        out.push_back({QLatin1String(sign), s});
        out.push_back({QLatin1String(amount), v});
    };
    const QString none;
    const QString rs = QStringLiteral("R$ ");
    pair("<ALT_PRAZO>", "<PRAZO2>", b.m - a.m, "0", none, " meses", "inalterado", none);
    pair("<ALT_TAXA_AM>", "<TAXA_AM2>", (b.rho - a.rho) * 100, kRate, none, "% a.m.", "inalterada",
         none);
    pair("<ALT_V_PARC>", "<V_PARC2>", b.p - a.p, kMoney, rs, none, "inalterada", none);
    pair("<ALT_TOT_PAGO>", "<TOT_PAGO2>", b.total - a.total, kMoney, rs, none, "inalterado", none);
    pair("<ALT_TOT_JUROS>", "<TOT_JUROS2>", b.interest - a.interest, kMoney, rs, none, "inalterado",
         none);
    pair("<ALT_MULT_EMPR>", "<MULT_EMPR2>", b.mult - a.mult, kMoney, none, none, "inalterado",
         none);
    pair("<ALT_J_PRAZO>", "<J_PRAZO2>", b.jPrazo - a.jPrazo, kShort, none, none, "0", none);
    pair("<ALT_PARC_JUROS>", "<PARC_JUROS2>", b.parcJuros - a.parcJuros, kShort, none, none, none,
         "0");
    pair("<ALT_PARC_PRINC>", "<PARC_PRINC2>", b.parcPrinc - a.parcPrinc, kShort, none, none, none,
         "0");
    out.push_back({"<RENDA>", fmt(val(loan.Renda), kMoney)});
    return out;
}

} // namespace calc
