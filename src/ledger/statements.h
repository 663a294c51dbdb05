// The period ledger (every entry of the period once under each of its two accounts), the
// statement of one account with its running balance, and the day totals of a statement. Plain
// rows (the fields of the views QrLctos and QrLcPrn); the trial balance gives the opening
// balance each statement starts from.
#pragma once

#include "book.h"

#include <app/money.h>

#include <QDate>
#include <QString>

#include <span>
#include <vector>

namespace ledger {

struct LctoRow
{
    int Cta = 0; // the account this row belongs to
    int Codigo = 0;
    QDate Data;
    int Dest = 0; // the entry's CtaDeb
    int Orig = 0; // the entry's CtaCred
    QString Hsto, NumDoc;
    app::Money VlrDeb, VlrCred;
    // Signed for Cta: cash accounts gain what is debited to them; income and expense accounts
    // read credit minus debit, so income is positive and expenses negative.
    app::Money Valor;
    app::Money Saldo; // the account's balance after this row (opening + Valor up to here)
};

// Valor of a ledger row, by the group of its account.
app::Money valorOf(int cta, app::Money vlrDeb, app::Money vlrCred);

// The ledger of dtIni..dtFim, ordered by Cta, Data, Codigo (the debit row of an entry that names
// one account twice before its credit row). Saldo is the movement from the period's start until
// each row is added to an opening balance with withOpening(). Throws app::StorageError.
class Ledger
{
public:
    static Ledger build(const Book &book, const QDate &dtIni, const QDate &dtFim);
    // A ledger of given rows, already in ledger order (for tests and callers that hold rows).
    static Ledger fromRows(std::vector<LctoRow> rows);

    // The rows of one account, in order (empty when it has none).
    std::span<const LctoRow> of(int cta) const;
    const std::vector<LctoRow> &rows() const { return m_rows; }

private:
    std::vector<LctoRow> m_rows;
};

// The statement of one account for dtIni..dtFim read straight from the entries (no ledger kept),
// with Saldo running from `saldoAnt`. Throws app::StorageError.
std::vector<LctoRow> readStatement(const Book &book, int cta, const QDate &dtIni,
                                   const QDate &dtFim, app::Money saldoAnt);

// A copy of `rows` whose Saldo runs from `saldoAnt`.
std::vector<LctoRow> withOpening(std::span<const LctoRow> rows, app::Money saldoAnt);

// One day of a statement: its entries, their sum and the balance at the end of the day.
struct DayTotal
{
    QDate Data;
    int count = 0;
    app::Money Movimento, Saldo;
    size_t lastRow = 0; // index of the day's last row in the statement
};
// The days of a statement in order; `rows` must be ordered by date and carry Saldo.
std::vector<DayTotal> dailyTotals(std::span<const LctoRow> rows);

} // namespace ledger
