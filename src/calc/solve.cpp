// The loan, savings and basic solves: ordered checks with their messages, then one call into the
// time-value-of-money functions, whose failures become the calculators' error text.
#include "solve.h"

#include "rounding.h"

#include "tvm.h"
#include <app/format.h>

#include <cmath>

namespace calc {

namespace {

// ---- small helpers ----------------------------------------------------------------------------

long double valueOf(const std::optional<double> &field)
{
    return field.value_or(0.0);
}

long double fracOf(long double x)
{
    return x - std::trunc(x);
}

long double ceilOf(long double x)
{
    return fracOf(x) > 0 ? std::trunc(x) + 1 : std::trunc(x);
}

// A typed count of periods: no fractional part and trunc(NPer) within [lo, hi].
bool isWholeInRange(const std::optional<double> &nper, long double lo, long double hi)
{
    const long double n = valueOf(nper);
    return std::isfinite(n) && fracOf(n) == 0 && n >= lo && n <= hi;
}

// Counts beyond this would only overflow the integer power; the functions refuse them.
qint64 periodsOr(long double nper, const char *function)
{
    if (!(std::fabs(nper) <= 1e9L))
        throw CalcError(function, __FILE__, __LINE__);
    return static_cast<qint64>(nper);
}

// Results are stored as doubles; one beyond double range is a failed calculation.
double stored(long double v, const char *function)
{
    const double d = static_cast<double>(v);
    if (!std::isfinite(d))
        throw CalcError(function, __FILE__, __LINE__);
    return d;
}

bool centsGreater(long double a, long double b)
{
    return wholeCents(a) > wholeCents(b);
}

SolveOutcome refuse(SolveOutcome out, const QString &message, const char *field)
{
    out.ok = false;
    out.message = message;
    out.focusField = QString::fromLatin1(field);
    return out;
}

SolveOutcome calcFailed(SolveOutcome out, const CalcError &e)
{
    out.ok = false;
    out.message = e.text();
    out.focusField.clear();
    return out;
}

SolveOutcome succeed(SolveOutcome out)
{
    out.ok = true;
    return out;
}

const QString kTaxaZero = QStringLiteral("Taxa de Juros deve ser maior que zero!");

// ---- loan ---------------------------------------------------------------------------------------

const char *const kPgtoTaxa = "DBEditPgtoTaxa";

// Check c in "$" mode; returns a refusal, or an outcome with the layout set.
SolveOutcome checkLoanPgto(const MatFinPrm &row, SolveOutcome out)
{
    const long double pv = valueOf(row.PV);
    const long double p = valueOf(row.Prestacao);
    if (!(wholeCents(p) > 0))
        return refuse(out, QStringLiteral("Valor da Prestação deve ser maior que zero!"),
                      kPgtoTaxa);
    if (!centsGreater(pv, p))
        return refuse(out,
                      QStringLiteral("Valor da Prestação deve ser menor\r\nque o Valor do "
                                     "Empréstimo!"),
                      kPgtoTaxa);
    if (centsGreater(pv, valueOf(row.NPer) * p))
        return refuse(out,
                      QStringLiteral("Valor da Prestação x Prazo deve ser maior que o valor\r\n"
                                     "do Empréstimo. Senão, o empréstimo nunca vai ser pago.\r\n"
                                     "Por favor, redigite o valor da prestação ou o prazo!"),
                      kPgtoTaxa);
    if (!centsGreater(valueOf(row.Renda), p))
        return refuse(out,
                      QStringLiteral("Remuneração (Renda) do devedor deve\r\nser maior que o "
                                     "Valor da Prestação!"),
                      "DBEditRenda");
    out.csvLayout = 1;
    return succeed(out);
}

// Solves and writes Taxa or Prestacao, then check d. Throws CalcError.
SolveOutcome computeLoan(MatFinPrm &row, LoanMode mode, SolveOutcome out)
{
    const qint64 n = static_cast<qint64>(valueOf(row.NPer));
    const long double pv = valueOf(row.PV);
    const int t = timingOf(row);
    if (mode == LoanMode::Pgto) {
        const long double p = valueOf(row.Prestacao);
        const bool interestFree = wholeCents(pv) == wholeCents(static_cast<long double>(n) * p);
        row.Taxa =
            interestFree ? 0.0 : stored(InterestRate(n, -p, pv, 0, t) * 100.0L, "InterestRate");
        return succeed(out);
    }
    const long double p = -Payment(valueOf(row.Taxa) / 100.0L, n, pv, 0, t);
    row.Prestacao = stored(p, "Payment");
    if (!centsGreater(valueOf(row.Renda), p))
        return refuse(out,
                      QStringLiteral("Valor da Prestação calculada para\r\neste empréstimo é de "
                                     "R$ ") +
                          app::formatNumber(p, "#,##0.00") +
                          QStringLiteral("!\r\n\r\nRemuneração (Renda) do devedor deve\r\nser "
                                         "maior que o Valor da Prestação!"),
                      "DBEditRenda");
    return succeed(out);
}

} // namespace

SolveOutcome solveLoan(MatFinPrm &row, LoanMode mode)
{
    SolveOutcome out;
    if (!(wholeCents(valueOf(row.PV)) > 0))
        return refuse(out, QStringLiteral("Valor do Empréstimo deve ser maior que zero!"),
                      "DBEditPV");
    if (!isWholeInRange(row.NPer, 2, 999))
        return refuse(out,
                      QStringLiteral("O Prazo (Número de Prestações) deve ser um\r\nnúmero inteiro "
                                     "maior que 1 e menor que 1000."),
                      "DBEditNPer");
    if (mode == LoanMode::Pgto) {
        out = checkLoanPgto(row, out);
        if (!out.ok)
            return out;
    } else {
        if (!(valueOf(row.Taxa) > 0))
            return refuse(out, kTaxaZero, kPgtoTaxa);
        out.csvLayout = 2;
    }
    row.FV = 0.0;
    try {
        out = computeLoan(row, mode, out);
    } catch (const CalcError &e) {
        return calcFailed(out, e);
    }
    if (!out.ok)
        return out;
    if (!row.DataParc.isValid())
        return refuse(out, QStringLiteral("A Data Inicial do Empréstimo deve ser preenchida!"),
                      "DBEditDataParc");
    return succeed(out);
}

// ---- savings ------------------------------------------------------------------------------------

namespace {

const QString kPrazoPoup = QStringLiteral("O Prazo (Número de Depósitos) deve ser um\r\nnúmero "
                                          "inteiro maior que 1 e menor que 1000.");

// Checks a to c.
SolveOutcome checkSavingsInputs(const MatFinPrm &row, SavingsMode mode, SolveOutcome out)
{
    if (mode != SavingsMode::Montante && !(wholeCents(valueOf(row.FV)) > 0))
        return refuse(out, QStringLiteral("Valor do Montante a Acumular deve ser maior que zero!"),
                      "DBEditMontante");
    if (mode != SavingsMode::Prazo && !isWholeInRange(row.NPer, 2, 999))
        return refuse(out, kPrazoPoup, "DBEditPrazo");
    if (!(valueOf(row.Taxa) > 0))
        return refuse(out, kTaxaZero, "DBEditTaxa");
    return succeed(out);
}

long double savingsDeposit(const MatFinPrm &row)
{
    const qint64 n = static_cast<qint64>(valueOf(row.NPer));
    return -Payment(valueOf(row.Taxa) / 100.0L, n, 0, valueOf(row.FV), timingOf(row));
}

// Check d, writing the computed deposit in mode "Depósito". Throws CalcError.
SolveOutcome checkSavingsDeposit(MatFinPrm &row, SavingsMode mode, SolveOutcome out)
{
    if (mode == SavingsMode::Deposito) {
        const long double p = savingsDeposit(row);
        row.Prestacao = stored(p, "Payment");
        if (!centsGreater(valueOf(row.Renda), p))
            return refuse(out,
                          QStringLiteral("Valor do Depósito Mensal calculado para\r\nacumular "
                                         "este Montante é de R$ ") +
                              app::formatNumber(p, "#,##0.00") +
                              QStringLiteral("!\r\n\r\nRemuneração (Renda) do Poupador deve\r\n"
                                             "ser maior que o Valor do Depósito!"),
                          "DBEditPoupRenda");
        return succeed(out);
    }
    const long double p = valueOf(row.Prestacao);
    if (!(wholeCents(p) > 0))
        return refuse(out, QStringLiteral("Valor do Depósito Mensal deve ser maior que zero!"),
                      "DBEditDeposito");
    if (!centsGreater(valueOf(row.Renda), p))
        return refuse(out,
                      QStringLiteral("Remuneração (Renda) do Poupador deve\r\nser maior que o "
                                     "Valor do Depósito Mensal!"),
                      "DBEditPoupRenda");
    return succeed(out);
}

// Mode "Prazo": a count within a millionth of a whole number is that number (exact); otherwise
// the next whole number (rounded up). More than 999 deposits, or none, is refused like a typed
// term, so a schedule never grows past 999 rows.
SolveOutcome solveSavingsTerm(MatFinPrm &row, SolveOutcome out)
{
    const long double r = valueOf(row.Taxa) / 100.0L;
    const long double n =
        NumberOfPeriods(r, -valueOf(row.Prestacao), 0, valueOf(row.FV), timingOf(row));
    const long double f = fracOf(n);
    out.exact = f <= 0.000001L || f >= 0.999999L;
    const long double whole = out.exact ? std::round(n) : ceilOf(n);
    if (!(whole >= 1 && whole <= 999))
        return refuse(out, kPrazoPoup, "DBEditDeposito");
    out.unroundedN = n;
    row.NPer = static_cast<double>(whole);
    out.csvLayout = 1;
    return succeed(out);
}

// Solves and writes FV, Prestacao or NPer (with check f). Throws CalcError.
SolveOutcome computeSavings(MatFinPrm &row, SavingsMode mode, SolveOutcome out)
{
    const long double r = valueOf(row.Taxa) / 100.0L;
    const int t = timingOf(row);
    switch (mode) {
    case SavingsMode::Montante: {
        const qint64 n = static_cast<qint64>(valueOf(row.NPer));
        row.FV = stored(-FutureValue(r, n, valueOf(row.Prestacao), 0, t), "FutureValue");
        out.csvLayout = 1;
        out.unroundedN = n;
        return succeed(out);
    }
    case SavingsMode::Deposito:
        row.Prestacao = stored(savingsDeposit(row), "Payment");
        out.csvLayout = 2;
        out.unroundedN = valueOf(row.NPer);
        return succeed(out);
    case SavingsMode::Prazo:
        return solveSavingsTerm(row, out);
    }
    return out;
}

} // namespace

SolveOutcome solveSavings(MatFinPrm &row, SavingsMode mode)
{
    SolveOutcome out = checkSavingsInputs(row, mode, SolveOutcome{});
    if (!out.ok)
        return out;
    row.PV = 0.0;
    try {
        out = checkSavingsDeposit(row, mode, out);
        if (!out.ok)
            return out;
        if (!row.DataParc.isValid())
            return refuse(out, QStringLiteral("A Data de Início de Poupança deve ser preenchida!"),
                          "DBEditPoupData");
        return computeSavings(row, mode, out);
    } catch (const CalcError &e) {
        return calcFailed(out, e);
    }
}

// ---- basic calculator ---------------------------------------------------------------------------

namespace {

// Solves and writes one quantity; returns the result panel text. Throws CalcError.
QString computeBasic(MatFinPrm &row, BasicFunction function)
{
    const long double r = valueOf(row.Taxa) / 100.0L;
    const long double pmt = valueOf(row.Prestacao), pv = valueOf(row.PV), fv = valueOf(row.FV);
    const long double nper = valueOf(row.NPer);
    const int t = timingOf(row);
    const QString money = QStringLiteral(" $  ");
    switch (function) {
    case BasicFunction::N: {
        const long double n = NumberOfPeriods(r, pmt, pv, fv, t);
        row.NPer =
            stored(fracOf(n) <= 0.0000009999L ? std::trunc(n) : ceilOf(n), "NumberOfPeriods");
        return app::formatNumber(n, "#,##0.####") + QStringLiteral("  ");
    }
    case BasicFunction::I: {
        const long double taxa =
            InterestRate(periodsOr(nper, "InterestRate"), pmt, pv, fv, t) * 100;
        row.Taxa = stored(taxa, "InterestRate");
        return app::formatNumber(taxa, "#,##0.00#######") + QStringLiteral(" %  ");
    }
    case BasicFunction::PV: {
        const long double v = PresentValue(r, periodsOr(nper, "PresentValue"), pmt, fv, t);
        row.PV = stored(v, "PresentValue");
        return app::formatNumber(v, "#,##0.0000") + money;
    }
    case BasicFunction::PMT: {
        const long double v = Payment(r, periodsOr(nper, "Payment"), pv, fv, t);
        row.Prestacao = stored(v, "Payment");
        return app::formatNumber(v, "#,##0.0000") + money;
    }
    case BasicFunction::FV: {
        const long double v = FutureValue(r, periodsOr(nper, "FutureValue"), pmt, pv, t);
        row.FV = stored(v, "FutureValue");
        return app::formatNumber(v, "#,##0.0000") + money;
    }
    }
    return QString();
}

} // namespace

SolveOutcome solveBasic(MatFinPrm &row, BasicFunction function)
{
    SolveOutcome out;
    if (function != BasicFunction::N) {
        const long double n = valueOf(row.NPer);
        if (!std::isfinite(n) || fracOf(n) != 0 || n == 0)
            return refuse(out,
                          QStringLiteral("O Número de Períodos (Prazo) deve ser\r\num número "
                                         "inteiro e diferente de zero!"),
                          "DBEditCalcN");
    }
    for (std::optional<double> *field : {&row.Taxa, &row.Prestacao, &row.PV, &row.FV})
        if (!field->has_value())
            *field = 0.0;
    try {
        out.panelText = computeBasic(row, function);
    } catch (const CalcError &e) {
        return calcFailed(out, e);
    }
    return succeed(out);
}

} // namespace calc
