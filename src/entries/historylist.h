// The list of earlier histories the entry editor offers (F3): the history texts of the user's
// entries, read in one statement. The list itself lives in the editor; this only reads it.
#pragma once

#include <QStringList>

namespace data {
class Database;
class Table;
} // namespace data

namespace entries {

// The Hsto of every entry of the entries table object `tbFin` (open, on `db`), from the last
// record of its current order to the first, duplicates kept; entries without a history are left
// out. Throws app::StorageError.
QStringList earlierHistories(data::Database &db, const data::Table &tbFin);

} // namespace entries
