// The payment schedules that follow a loan or savings solve: one row per instalment or deposit,
// closed by a totals row, with the columns of the schedule work table TbMatFinGrid. The rows are
// plain values built from plain inputs; copying them into the table (one insert per row, in
// order) is the caller's. Empty columns are empty optionals or null dates.
#pragma once

#include "matfinprm.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace calc {

// Reference savings rate a month, for VlrCapitalizado and the loan texts and export.
inline constexpr long double kTaxaReferenciaPoupanca = 0.005L;

using GridValue = std::optional<long double>;

// One row of TbMatFinGrid, columns in the table's order.
struct MatFinGridRow
{
    int Codigo = 0;     // insertion order, from 1
    QString NumParcela; // "0", "1", ...; "Total"; empty on the savings closing row
    QDate DataParc;
    GridValue Pgto;
    GridValue PgtoPrincipal;
    GridValue PgtoJuros;
    GridValue Taxa;     // rate of the period as a fraction
    GridValue TaxaAcum; // (1 + r)^k - 1
    GridValue SomaPgto;
    GridValue SaldoAcum;
    GridValue PgtoVlrPresente;
    GridValue VlrCapitalizado;
};

struct LoanSchedule
{
    std::vector<MatFinGridRow> rows; // row "0" (without Entrada), instalments, "Total"
    int currentIndex = 0;            // the row the table is positioned on: the first
    long double totalPaid = 0;
    long double totalPrincipal = 0;
    long double totalInterest = 0;
    long double totalPresentValue = 0;
    // First instalment whose VlrCapitalizado exceeds PV (0 if none), and that VlrCapitalizado.
    int capitalMonth = 0;
    long double capitalValue = 0;
    QDate lastDate; // date of the last instalment
};

struct SavingsSchedule
{
    std::vector<MatFinGridRow> rows; // row "0" (without Entrada), deposits, closing row
                                     // (with Entrada), "Total"
    int currentIndex = 0;            // the row the table is positioned on: the last
    long double totalDeposited = 0;
    long double totalInterest = 0;
    QDate lastDate; // last deposit, or the closing row with Entrada
};

// The date of schedule row i (0 for the first row): DataParc plus i months, on DataParc's day or
// the month's last day when shorter (31 January: 28/29 February, 31 March, 30 April, ...).
QDate scheduleDate(const QDate &first, int i);

// Loan schedule from row 1 after a successful loan solve (PV, NPer, Prestacao, Taxa, Entrada,
// DataParc). Precondition: NPer whole, 1 to 999; otherwise throws CalcError and builds nothing.
LoanSchedule buildLoanSchedule(const MatFinPrm &loan);

// Savings schedule from row 2 after a successful savings solve (NPer, Prestacao, Taxa, Entrada,
// DataParc; PV, normally 0). Same precondition and failure as the loan schedule.
SavingsSchedule buildSavingsSchedule(const MatFinPrm &savings);

} // namespace calc
