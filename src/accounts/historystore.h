// The standard histories in the user's table file: reading them all in code order, telling
// whether a code is taken by another history, and replacing them all at once (the import).
#pragma once

#include "accountrows.h"

#include <vector>

namespace data {
class TDM;
class Table;
} // namespace data

namespace accounts {

class HistoryStore
{
public:
    // Precondition for every call: the user's tables are pointed and TbHsto is open.
    explicit HistoryStore(data::TDM &dm);

    // Every history in code order, whatever TbHsto's filter.
    std::vector<HstoRow> rows() const;
    // True when a history other than the row `exceptRowId` (0 for a new one) has `codigo`.
    bool codeTaken(qint64 codigo, qint64 exceptRowId) const;
    // Replaces every history in one transaction; TbHsto ends on its first row. Throws
    // app::StorageError with the histories unchanged.
    void replace(const std::vector<HstoRow> &rows);

private:
    data::TDM &m_dm;
};

} // namespace accounts
