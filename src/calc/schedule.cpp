// Builds the loan and savings schedule rows period by period, keeping the running totals the
// totals row and the analysis texts need.
#include "schedule.h"

#include "calcerror.h"

#include <cmath>

namespace calc {

namespace {

struct Inputs
{
    long double pv = 0, p = 0, r = 0;
    int nper = 0;
    bool entrada = false;
    QDate first;
};

Inputs inputsOf(const MatFinPrm &row, const char *what)
{
    const double n = row.NPer.value_or(0.0);
    if (!(n >= 1 && n <= 999 && std::trunc(n) == n))
        throw CalcError(what, __FILE__, __LINE__);
    Inputs in;
    in.pv = row.PV.value_or(0.0);
    in.p = row.Prestacao.value_or(0.0);
    in.r = row.Taxa.value_or(0.0) / 100.0L;
    in.nper = static_cast<int>(n);
    in.entrada = timingOf(row) == 1;
    in.first = row.DataParc;
    return in;
}

void append(std::vector<MatFinGridRow> &rows, MatFinGridRow row)
{
    row.Codigo = static_cast<int>(rows.size()) + 1;
    rows.push_back(std::move(row));
}

MatFinGridRow loanFirstRow(const Inputs &in)
{
    MatFinGridRow row;
    const long double p = in.entrada ? in.p : 0;
    row.NumParcela = in.entrada ? QStringLiteral("1") : QStringLiteral("0");
    row.DataParc = in.first;
    row.Pgto = p;
    row.PgtoPrincipal = p;
    row.PgtoJuros = 0.0L;
    row.Taxa = in.r;
    row.TaxaAcum = 0.0L;
    row.SomaPgto = p;
    row.SaldoAcum = in.pv - p;
    row.PgtoVlrPresente = p;
    row.VlrCapitalizado = p;
    return row;
}

// Instalment k after the previous row.
MatFinGridRow loanRow(const Inputs &in, const MatFinGridRow &prev, int k, int i)
{
    MatFinGridRow row;
    row.NumParcela = QString::number(k);
    row.DataParc = scheduleDate(in.first, i);
    row.Pgto = in.p;
    row.PgtoJuros = in.r * *prev.SaldoAcum;
    row.PgtoPrincipal = in.p - *row.PgtoJuros;
    row.Taxa = in.r;
    row.TaxaAcum = (1 + in.r) * (*prev.TaxaAcum + 1) - 1;
    row.SomaPgto = in.p + *prev.SomaPgto;
    row.SaldoAcum = (1 + in.r) * *prev.SaldoAcum - in.p;
    row.PgtoVlrPresente = in.p / (*row.TaxaAcum + 1);
    row.VlrCapitalizado = in.p + (1 + kTaxaReferenciaPoupanca) * *prev.VlrCapitalizado;
    return row;
}

void addToLoanTotals(LoanSchedule &s, const MatFinGridRow &row)
{
    s.totalPaid += *row.Pgto;
    s.totalPrincipal += *row.PgtoPrincipal;
    s.totalInterest += *row.PgtoJuros;
    s.totalPresentValue += *row.PgtoVlrPresente;
}

MatFinGridRow loanTotalsRow(const LoanSchedule &s)
{
    const MatFinGridRow &last = s.rows.back();
    MatFinGridRow row;
    row.NumParcela = QStringLiteral("Total");
    row.Pgto = s.totalPaid;
    row.PgtoJuros = s.totalInterest;
    row.PgtoPrincipal = s.totalPrincipal;
    row.SomaPgto = last.SomaPgto;
    row.PgtoVlrPresente = s.totalPresentValue;
    row.VlrCapitalizado = last.VlrCapitalizado;
    return row;
}

} // namespace

QDate scheduleDate(const QDate &first, int i)
{
    return first.addMonths(i);
}

LoanSchedule buildLoanSchedule(const MatFinPrm &loan)
{
    const Inputs in = inputsOf(loan, "buildLoanSchedule");
    LoanSchedule s;
    s.rows.reserve(size_t(in.nper) + 2);
    append(s.rows, loanFirstRow(in));
    addToLoanTotals(s, s.rows.back());
    const int firstNumber = in.entrada ? 1 : 0;
    for (int k = firstNumber + 1; k <= in.nper; ++k) {
        append(s.rows, loanRow(in, s.rows.back(), k, k - firstNumber));
        const MatFinGridRow &row = s.rows.back();
        addToLoanTotals(s, row);
        if (s.capitalMonth == 0 && *row.VlrCapitalizado > in.pv) {
            s.capitalMonth = k;
            s.capitalValue = *row.VlrCapitalizado;
        }
    }
    s.lastDate = s.rows.back().DataParc;
    append(s.rows, loanTotalsRow(s));
    s.currentIndex = 0;
    return s;
}

// ---- savings ------------------------------------------------------------------------------------

namespace {

MatFinGridRow savingsFirstRow(const Inputs &in)
{
    MatFinGridRow row;
    const long double p = in.entrada ? in.p : 0;
    row.NumParcela = in.entrada ? QStringLiteral("1") : QStringLiteral("0");
    row.DataParc = in.first;
    row.Pgto = p;
    row.PgtoPrincipal = 0.0L;
    row.PgtoJuros = 0.0L;
    row.Taxa = in.r;
    row.TaxaAcum = 0.0L;
    row.SomaPgto = p;
    row.SaldoAcum = in.pv + p;
    return row;
}

// Deposit p (0 on the closing row) after the previous row; the balance earns the period's
// interest first.
MatFinGridRow savingsRow(const Inputs &in, const MatFinGridRow &prev, long double p, int i)
{
    MatFinGridRow row;
    row.DataParc = scheduleDate(in.first, i);
    row.Pgto = p;
    row.PgtoJuros = in.r * *prev.SaldoAcum;
    row.Taxa = in.r;
    row.TaxaAcum = (1 + in.r) * (*prev.TaxaAcum + 1) - 1;
    row.SomaPgto = p + *prev.SomaPgto;
    row.SaldoAcum = p + (1 + in.r) * *prev.SaldoAcum;
    return row;
}

} // namespace

SavingsSchedule buildSavingsSchedule(const MatFinPrm &savings)
{
    const Inputs in = inputsOf(savings, "buildSavingsSchedule");
    SavingsSchedule s;
    s.rows.reserve(size_t(in.nper) + 3);
    append(s.rows, savingsFirstRow(in));
    s.totalDeposited += *s.rows.back().Pgto;
    const int firstNumber = in.entrada ? 1 : 0;
    int i = 0;
    for (int k = firstNumber + 1; k <= in.nper; ++k) {
        MatFinGridRow row = savingsRow(in, s.rows.back(), in.p, ++i);
        row.NumParcela = QString::number(k);
        s.totalDeposited += *row.Pgto;
        s.totalInterest += *row.PgtoJuros;
        append(s.rows, std::move(row));
    }
    if (in.entrada) {
        MatFinGridRow closing = savingsRow(in, s.rows.back(), 0, ++i);
        s.totalInterest += *closing.PgtoJuros;
        append(s.rows, std::move(closing));
    }
    s.lastDate = s.rows.back().DataParc;
    MatFinGridRow totals;
    totals.NumParcela = QStringLiteral("Total");
    totals.Pgto = s.totalDeposited;
    totals.PgtoJuros = s.totalInterest;
    totals.SomaPgto = s.rows.back().SomaPgto;
    totals.SaldoAcum = s.rows.back().SaldoAcum;
    append(s.rows, std::move(totals));
    s.currentIndex = int(s.rows.size()) - 1;
    return s;
}

} // namespace calc
