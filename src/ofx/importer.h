// Booking a read statement as entries: the checks of the three booking accounts, the rows that
// look already recorded (one query per few hundred rows over the entries' date and amount
// index), the closed-period refusal, and the import itself, all rows and their mark in one
// transaction. Plain values and the data module's connection; no widget.
#pragma once

#include "statement.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace data {
class Database;
class Table;
} // namespace data

namespace ofx {

// The three booking accounts of the import screen.
enum class OfxAccount { Banco, Receita, Despesa };

// The reduced codes each account may take: 10-99, 101-199, 201-299.
bool inRange(OfxAccount a, qint64 codRed);
// Shown when a filled number is outside its range.
QString outOfRangeText(OfxAccount a);
// Shown when a number in range names no account of the chart.
QString unknownAccountText(OfxAccount a);
// Shown at import when the account is not chosen.
QString notFilledText(OfxAccount a);

// A statement row as the import screen holds it: the user may leave it out, and it may look
// like an entry already recorded (same date and amount, whatever the accounts).
struct ImportRow
{
    StagingRow row;
    bool include = true;
    bool similar = false;
};

// Marks `similar` on every row, in place. Throws app::StorageError when the entries cannot be
// read. `fin` is the entries table's SQL name.
void markSimilar(data::Database &db, const QString &fin, std::vector<ImportRow> &rows);

// The history of a transaction that came without a memo, so the required field never fails.
QString defaultHistory();

// What stops an import before anything is written.
struct ImportProblem
{
    enum class Kind {
        AccountNotFilled,
        AccountOutOfRange,
        AccountUnknown,
        Closed,
        NothingToImport
    };
    Kind kind;
    QString message;
    std::optional<OfxAccount> account; // the field to go back to, for the account problems
};

// Checks, again at import time, the three accounts (filled, in range, in the chart `tbCta` on
// `db`) and then that no included row is dated on or before `fechadoAte` (an empty date closes
// nothing). Returns the first problem, or nothing when the import may go on.
std::optional<ImportProblem> checkImport(data::Database &db, const data::Table &tbCta,
                                         const Preferences &prefs, std::span<const ImportRow> rows,
                                         const QDate &fechadoAte);

// The closed-period message for `count` blocked rows.
QString closedRowsText(int count);
// The similar-rows question for `count` rows.
QString similarRowsQuestion(int count);
// The last question before importing `count` rows.
QString importQuestion(int count);
// The main window's closing message: `count` entries imported with mark `mark`.
QString importedText(int count, const QString &mark);

struct ImportResult
{
    int count = 0;
    qint64 firstCodigo = 0; // the code the first entry was given
    QString mark;           // "[OFX" + that code as six digits + "]", in Obs of every entry
};

// Inserts every included row into the entries table object `tbFin` as a new entry (Data,
// CtaDeb, CtaCred, Valor, Hsto or defaultHistory(), NumDoc, Confirmado; DataLog `today`; Obs the
// mark of the first entry's code), in one transaction, then re-reads `tbFin` positioned on the
// first imported entry. `beforeRow(i)` runs before row i is written (tests inject failures
// there). Throws app::StorageError (or what `beforeRow` throws) with nothing written: the
// transaction is rolled back and `tbFin` is as it was.
ImportResult importRows(data::Database &db, data::Table &tbFin, std::span<const ImportRow> rows,
                        const QDate &today, const std::function<void(int)> &beforeRow = {});

} // namespace ofx
