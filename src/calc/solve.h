// The three solve operations of the calculators: loan, savings and the basic time-value-of-money
// calculator. Each checks its parameter row in a fixed order, solves for the missing quantity and
// writes it into the row; saving the row, building schedules and texts and moving the focus are
// the caller's. Money is compared in whole cents; rates and results are carried in long double
// and stored as doubles.
#pragma once

#include "matfinprm.h"

#include <QString>

namespace calc {

// Loan input mode: "$" (instalment typed, rate solved) or "%" (rate typed, instalment solved).
enum class LoanMode { Pgto, Taxa };
// Savings mode: 1 "Montante" solves FV, 2 "Depósito" solves Prestacao, 3 "Prazo" solves NPer.
enum class SavingsMode { Montante = 1, Deposito = 2, Prazo = 3 };
// Basic calculator function: 1 [ n ], 2 [ i ], 3 [PV], 4 [PMT], 5 [FV].
enum class BasicFunction { N = 1, I = 2, PV = 3, PMT = 4, FV = 5 };

struct SolveOutcome
{
    bool ok = false;
    // When !ok: the text for Mensagem kind 0 and the objectName of the field that receives the
    // focus afterwards (empty when a function failed: no field is to blame).
    QString message;
    QString focusField;
    // Loan and savings: the spreadsheet layout of the schedule export, 1 or 2; 0 until the solve
    // reached the step that chooses it.
    int csvLayout = 0;
    // Savings: whether NPer is exact (not rounded up), and the unrounded number of deposits.
    bool exact = true;
    long double unroundedN = 0;
    // Basic calculator: the text of the result panel ("12,5  ", "1,50 %  ", "-88,8488 $  ").
    QString panelText;
};

// Loan solve over row 1. Checks, in order, each refusing with its message and field:
//   a. PV > 0                                              [DBEditPV]
//   b. NPer whole, 2 to 999                                [DBEditNPer]
//   c. "$": Prestacao > 0, PV > Prestacao, NPer * Prestacao >= PV, Renda > Prestacao
//                                                          [DBEditPgtoTaxa; DBEditRenda]
//      "%": Taxa > 0                                       [DBEditPgtoTaxa]
//   d. "%": Renda > the computed Prestacao                 [DBEditRenda]
//   e. DataParc filled in                                  [DBEditDataParc]
// Writes FV = 0 and the solved Taxa (percent; 0 when NPer * Prestacao equals PV in cents) or
// Prestacao. What it wrote stays in the row when a later check fails. A failing function gives
// the "Erro ao calcular." message. Never throws.
SolveOutcome solveLoan(MatFinPrm &row, LoanMode mode);

// Savings solve over row 2. Checks, in order:
//   a. modes 2 and 3: FV > 0                               [DBEditMontante]
//   b. modes 1 and 2: NPer whole, 2 to 999                 [DBEditPrazo]
//   c. Taxa > 0                                            [DBEditTaxa]
//   d. mode 2: Renda > the computed Prestacao              [DBEditPoupRenda]
//      modes 1 and 3: Prestacao > 0, Renda > Prestacao     [DBEditDeposito; DBEditPoupRenda]
//   e. DataParc filled in                                  [DBEditPoupData]
//   f. mode 3: the computed term is 1 to 999 deposits      [DBEditDeposito]
// Writes PV = 0 and the solved FV, Prestacao or NPer. Never throws.
SolveOutcome solveSavings(MatFinPrm &row, SavingsMode mode);

// Basic solve over row 3. Unless solving n: NPer whole and not 0 [DBEditCalcN]. Empty Taxa,
// Prestacao, PV and FV become 0; the solved quantity keeps the functions' sign. A failing
// function gives the "Erro ao calcular." message. Never throws.
SolveOutcome solveBasic(MatFinPrm &row, BasicFunction function);

} // namespace calc
