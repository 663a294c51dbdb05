// Defaults of the calculator parameter rows and the timing they imply.
#include "matfinprm.h"

namespace calc {

MatFinPrm defaultMatFinPrm(MatFinTab tab, const QDate &today)
{
    MatFinPrm row;
    row.Codigo = static_cast<int>(tab);
    row.Entrada = 0;
    if (tab == MatFinTab::Emprestimo) {
        row.Finalidade = QStringLiteral("Geral");
        row.IncNPer = 6;
        row.IncTaxa = 0.2;
    }
    if (tab != MatFinTab::Calculadora)
        row.DataParc = today;
    return row;
}

int timingOf(const MatFinPrm &row)
{
    return row.Entrada.value_or(0) == 1 ? 1 : 0;
}

} // namespace calc
