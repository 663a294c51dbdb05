// The calculators' prose: which information-base template explains a result, and the figures
// that replace its placeholders. A template is Qt rich text (TbInfo.Texto) in which each
// placeholder is written as text, so it appears HTML-escaped in the source ("&lt;V_PARC&gt;");
// filling replaces it there by the escaped value, keeping the formatting around it. Reading the
// template from the information base is the screen's.
#pragma once

#include "matfinprm.h"
#include "schedule.h"
#include "termratetable.h"

#include <QString>

#include <vector>

namespace calc {

// Template codes (TbInfo.Codigo).
enum AnalysisTemplate {
    kTplLoanShort = 3011,
    kTplLoanGeral = 3012, // 3013 "Compra de Veículo", 3014 "Compra de Imóvel"
    kTplRowZero = 3021,
    kTplRowFirstWithEntrada = 3022,
    kTplRowOther = 3023,
    kTplRowLast = 3024,
    kTplRowTotal = 3025,
    kTplOption1 = 3034,
    kTplOption2 = 3035,
    kTplCompare = 3036,
    kTplCompareCopy = 3037,
    kTplSavingsExact = 3041,
    kTplSavingsRounded = 3042,
    kTplWealthWarning = 3044,
    kTplBestInvestment = 3045,
};

struct Placeholder
{
    QString name; // "<V_PARC>"
    QString value;
};
using Placeholders = std::vector<Placeholder>;

// Replaces every occurrence of each placeholder, in the list's order; absent ones are skipped.
// An empty template gives an empty text.
QString fillTemplate(const QString &templateHtml, const Placeholders &list);

// A date as "dd/MM/yyyy"; an empty date gives an empty text, never a day-zero date.
QString analysisDate(const QDate &d);

// Detailed loan analysis by the position of the purpose in the purpose list (0, 1 or 2; any
// other position falls back to "Geral").
int loanDetailTemplate(int finalidadeIndex);
// The 27 loan placeholders, from row 1 after a successful solve and its schedule.
Placeholders loanPlaceholders(const MatFinPrm &loan, const LoanSchedule &schedule);

int savingsTemplate(bool exact);
// The 13 savings placeholders; `n` is the unrounded count of mode "Prazo", else NPer.
Placeholders savingsPlaceholders(const MatFinPrm &savings, const SavingsSchedule &schedule,
                                 long double n);

// The template for one row of the loan schedule, and its 13 placeholders.
int scheduleRowTemplate(const MatFinPrm &loan, const MatFinGridRow &row);
Placeholders scheduleRowPlaceholders(const MatFinPrm &loan, const MatFinGridRow &row);

// A cell of the term-and-rate table: rate index (column) and term index (row), 1 to 37.
struct TermRateCell
{
    int rate = 1;
    int term = 1;
    bool operator==(const TermRateCell &) const = default;
};

// Option 1 (the fixed cell, the "F" names of template 3034) or option 2 (template 3035).
Placeholders optionPlaceholders(const TermRateTable &table, TermRateCell cell,
                                const MatFinPrm &loan, bool fixedOption);
// The 20 placeholders of the comparison of option 2 with option 1 (template 3036).
Placeholders comparisonPlaceholders(const TermRateTable &table, TermRateCell option1,
                                    TermRateCell option2, const MatFinPrm &loan);

} // namespace calc
