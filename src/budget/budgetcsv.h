// The budget's CSV file ("Orçamento.CSV") and its print's data view (DvOrc), built from the rows
// of the current view and the month's totals. Saving, printing and the checks before them are
// the screen's.
#pragma once

#include "orcview.h"

#include <app/csvwriter.h>
#include <reports/dataview.h>

#include <vector>

namespace budget {

// `caption` is PanelOrc's text, `titles` the seven grid titles.
app::CsvWriter budgetCsv(const app::CsvUser &user, const QString &caption,
                         const QStringList &titles, const std::vector<OrcRow> &rows,
                         const OrcTotals &totals);

// DvOrc: ExtCta, CodRed, Descricao, ValorOrcado, Realizado, PercRealizado, Saldo (reais).
reports::DataView orcView(const std::vector<OrcRow> &rows);
// ResultVOrc, ResultVReal, ResultSaldo: a signed total as "0.00" ("-1234.50").
QString totalParameter(app::Money m);

} // namespace budget
