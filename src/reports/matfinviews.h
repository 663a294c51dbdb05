// The data of the two calculator reports: the parameter view DvMatFinPrm (one row of the loan or
// savings parameters) and the schedule view DvMatFinGrid, filled from the calculator's parameter
// record and the schedule its builders made, and the information block printed above the
// schedule. The calculator screens call matFinViews() and hand both views to the report module.
#pragma once

#include "dataview.h"

#include <calc/matfinprm.h>
#include <calc/schedule.h>

#include <vector>

namespace reports {

struct MatFinViews
{
    DataView prm;  // DvMatFinPrm: PV, FV, Prestacao, Taxa, NPer, Entrada
    DataView grid; // DvMatFinGrid: the columns of TbMatFinGrid, empty cells null
};

MatFinViews matFinViews(const calc::MatFinPrm &prm, const std::vector<calc::MatFinGridRow> &rows);

// One line of the information block: a caption, then the value between its prefix and suffix
// ("Valor do Empréstimo", "R$", "1.000,00", "").
struct InfoLine
{
    QString caption;
    QString prefix;
    QString value;
    QString suffix;
    bool operator==(const InfoLine &) const = default;
};

struct InfoBlock
{
    QString heading1; // "Informações"
    QString heading2; // "do Empréstimo"
    std::vector<InfoLine> lines;
};

// From the first row of DvMatFinPrm. Throws app::Error when the view has no row.
InfoBlock loanInfo(const DataView &prm);    // RepMatFinDivida
InfoBlock savingsInfo(const DataView &prm); // RepMatFinCap

} // namespace reports
