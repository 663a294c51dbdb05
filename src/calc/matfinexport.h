// The calculators' spreadsheet exports: the basic calculation, the term-and-rate table, the
// savings schedule and the loan schedule, each a ";"-separated sheet whose cells hold the inputs
// as numbers and live formulas (Portuguese function names: PGTO, TAXA, VP, VF, NPER, SE, SOMA)
// over them, so the sheet recalculates when an input changes. Built as app::CsvWriter lines
// (Windows-1252, CR LF); the save dialog and the messages are the screens'.
#pragma once

#include "matfinprm.h"
#include "schedule.h"
#include "solve.h"
#include "termratetable.h"

#include <app/csvwriter.h>

#include <vector>

namespace calc {

// The basic calculation after a successful solve of `function` over row 3.
app::CsvWriter basicCalcCsv(const MatFinPrm &row, BasicFunction function);
QString basicCalcFileName(BasicFunction function); // "CalcFin_Pagamento_PMT.CSV"
QString basicCalcTitle(BasicFunction function);    // "Cálculo do Pagamento (Parcela) [PMT]"

// The term-and-rate table built from row 1 (54 lines).
app::CsvWriter termRateCsv(const MatFinPrm &loan, const TermRateTable &table);

// The schedules: `rows` as the builders made them (totals row last); `layout` 1 or 2 as the
// solve chose (SolveOutcome::csvLayout).
app::CsvWriter savingsCsv(const MatFinPrm &savings, const std::vector<MatFinGridRow> &rows,
                          int layout);
app::CsvWriter loanCsv(const MatFinPrm &loan, const std::vector<MatFinGridRow> &rows, int layout);

inline const QString kTermRateCsvName = QStringLiteral("TabelaDeAnaliseDePrazosETaxas.CSV");
inline const QString kSavingsCsvName = QStringLiteral("TabelaCapitalizacao.CSV");
inline const QString kLoanCsvName = QStringLiteral("TabelaSaldoDevedor.CSV");

// Column letters of a 1-based column number: 1 "A", 26 "Z", 27 "AA", 38 "AL".
QString columnName(int column);

} // namespace calc
