// The two CSV listings of this folder, built from plain rows: the chart of accounts (four
// columns) and the standard histories (three columns), each after the shared preamble. Saving
// them, and the messages around it, belong to the screens.
#pragma once

#include "accountrows.h"

#include <app/csvwriter.h>

#include <vector>

namespace data {
class TDM;
}

namespace accounts {

// Rows in key order; the group roots are written with a full stop after their digit ("0.").
app::CsvWriter chartListing(const std::vector<CtaRow> &rows, const app::CsvUser &user);
// Rows in code order.
app::CsvWriter historyListing(const std::vector<HstoRow> &rows, const app::CsvUser &user);

// The signed-in user as the preamble names them: CodUsuario and TbUser's current record.
app::CsvUser csvUserOf(const data::TDM &dm);

} // namespace accounts
