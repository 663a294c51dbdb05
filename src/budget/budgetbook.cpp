#include "budgetbook.h"

#include <data/UDM.h>
#include <data/table.h>

namespace budget {

BudgetBook BudgetBook::of(data::TDM &dm)
{
    return {ledger::Book::of(dm), dm.TbOrc->fileName()};
}

} // namespace budget
