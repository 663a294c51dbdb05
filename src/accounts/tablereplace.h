// Replacing every row of a table file at once, as the imports do: the old rows go and the new
// ones come in one transaction, so a failure part way leaves the table exactly as it was.
#pragma once

#include <QVariant>

#include <vector>

namespace data {
class Database;
class Table;
} // namespace data

namespace accounts {

// Precondition: `table` is open and browsing. `rows` hold one value per field of the table's
// definition, in definition order. On success the table object shows the new rows from the
// first; its screens see a single reset. Throws app::StorageError (a key twice, a disk
// failure) with the table's rows unchanged.
void replaceRows(data::Database &db, data::Table &table, const std::vector<QVariantList> &rows);

} // namespace accounts
