// The saved analyses: the three calculator rows of the user's TbMatFinPrm (Codigo 1 loan,
// 2 savings, 3 basic calculator), each holding its tab's last inputs and results. Copies a row
// between the table object and a plain MatFinPrm; the calculators work on the plain row.
#pragma once

#include "matfinprm.h"

namespace data {
class Table;
}

namespace calc {

// Appends rows 1, 2 and 3 with their defaults where missing. Precondition: the table is open.
void ensureMatFinRows(data::Table &tb, const QDate &today);
// The row with this Codigo; its defaults when the table lacks it.
MatFinPrm loadMatFinPrm(data::Table &tb, MatFinTab tab, const QDate &today);
// Writes the row (edits the record of its Codigo, or appends it). Throws StorageError.
void storeMatFinPrm(data::Table &tb, const MatFinPrm &row);

} // namespace calc
