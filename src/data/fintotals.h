// The kept totals of an entries file: per month and per account, the sums of the amounts the
// account received (Deb, as CtaDeb) and gave (Cred, as CtaCred). They live in the entries file
// itself, beside Tabela, as the tables Totais (Mes "yyyy-MM", Cta, Deb, Cred, and N the number of
// entry sides counted there) and TotaisInfo (one
// row: Versao, Lancamentos = the rows of Tabela, SomaDeb and SomaCred = the sums of Totais), and
// SQLite triggers on Tabela keep them: every insert, update and delete of an entry, by this
// program's table object, by a bulk statement (a renumbering) or by any other SQLite client,
// writes the totals in the same statement and so in the same transaction. A crash leaves both or
// neither, and a file copied or restored carries totals that match its entries.
//
// An entry with no date, or a side with no account, counts in no total (the balances leave such
// entries out too). What the totals mean (cash accounts, income, expenses) is the reader's.
#pragma once

#include <QString>

namespace data {

class Database;

namespace fintotals {

// "schema".Totais and "schema".TotaisInfo, for `schema` the alias of an attached entries file.
QString totalsTable(const QString &schema);
QString infoTable(const QString &schema);

// True when the file holds the totals' tables and triggers at this program's version: readers
// may then take the totals as exact.
bool inPlace(Database &db, const QString &schema);

// Drops whatever the file holds of the totals and builds them again from its entries, in one
// transaction (on failure the file is as it was). Throws StorageError.
void rebuild(Database &db, const QString &schema);

// Removes the totals (tables and triggers), so that no reader trusts them.
void drop(Database &db, const QString &schema);

enum class Outcome { Sound, Rebuilt };
// At sign-in: rebuilds the totals when they are missing, of another version, unreadable, or do
// not match the file (the row count of Tabela, or the sums of Totais against TotaisInfo).
// Checking costs a count of the entries' smallest index and a pass over the totals, never a pass
// over the entries. Throws StorageError when a rebuild fails.
Outcome ensure(Database &db, const QString &schema);

} // namespace fintotals
} // namespace data
