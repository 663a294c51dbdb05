// The two tables every computation of this folder reads: a user's entries and chart, named as
// the connection knows them while their table objects are open. Owns nothing.
#pragma once

#include <QString>

namespace data {
class Database;
class TDM;
} // namespace data

namespace ledger {

struct Book
{
    data::Database &db;
    QString fin; // "alias".Tabela of the entries table
    QString cta; // "alias".Tabela of the chart
    // "alias".Totais, the entries' kept totals (data/fintotals.h); empty when the file has none in
    // place, and every computation then reads the entries alone.
    QString totals;

    // The signed-in user's tables of `dm`. Precondition: TbFin and TbCta are open.
    static Book of(data::TDM &dm);
};

} // namespace ledger
