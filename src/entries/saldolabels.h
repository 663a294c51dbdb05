// Shows the five balances and the entry count on the labels of the main window's financial page.
// The labels belong to the main window; the figures are the session's, computed before this runs.
#pragma once

class QLabel;

namespace entries {

class Session;

struct SaldoLabels
{
    QLabel *LabelCapSlAnt, *LabelSlAnt, *LabelCapSlReceita, *LabelSlReceita, *LabelCapSlDespesa,
        *LabelSlDespesa, *LabelCapSlAtu, *LabelSlAtu, *LabelCapSlHoje, *LabelSlHoje, *LabelRecCount;
};

// Captions with the session's period dates and today, the values of its balances' saldos() as
// "#,##0.00" (blue when 0 or more, red below 0; a figure wider than its label is cut at the
// right with "…" and shown whole in the tooltip), and "[" + the number of records of its entries
// table + "]". Every label must be set; nothing is recomputed here. The colour goes through the
// labels' palette, so a style sheet that sets their `color` would hide it.
void RefreshLabelsSaldos(const SaldoLabels &l, const Session &session);

} // namespace entries
