// Shows the five balances and the entry count on the labels of the main window's financial page.
// The labels belong to the main window; the figures are balances.h's, computed before this runs.
#pragma once

class QLabel;

namespace data {
class TDM;
}

namespace entries {

struct SaldoLabels
{
    QLabel *LabelCapSlAnt, *LabelSlAnt, *LabelCapSlReceita, *LabelSlReceita, *LabelCapSlDespesa,
        *LabelSlDespesa, *LabelCapSlAtu, *LabelSlAtu, *LabelCapSlHoje, *LabelSlHoje, *LabelRecCount;
};

// Captions with the period's dates and today, the values of saldos() as "#,##0.00" (blue when
// 0 or more, red below 0), and "[" + the number of entries of dm.TbFin + "]". Every label must
// be set; nothing is recomputed here. The colour goes through the labels' palette, so a style
// sheet that sets their `color` would hide it.
void RefreshLabelsSaldos(const SaldoLabels &l, const data::TDM &dm);

} // namespace entries
