// The three tables the budget reads and writes: the signed-in user's entries and chart (as the
// ledger reads them) and the budget table TbOrc, which no screen keeps open, so it is named by
// its file and attached for each statement. Owns nothing.
#pragma once

#include <ledger/book.h>

#include <QString>

namespace data {
class TDM;
}

namespace budget {

struct BudgetBook
{
    ledger::Book book; // entries and chart
    QString orcFile;   // "Tb0001Orc.DB"

    // The signed-in user's tables of `dm`. Precondition: TbFin and TbCta are open.
    static BudgetBook of(data::TDM &dm);
};

} // namespace budget
