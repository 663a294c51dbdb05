// What reading a bank statement yields: the staging rows, shaped like entries so the import can
// copy them field by field, and the header facts shown above the grid. Plain values only; the
// reader fills them (reader.h) and the import screen owns what it does with them.
#pragma once

#include <app/money.h>

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace ofx {

// The current user's OFX preferences (TbUser): reduced account codes, 0 when not chosen.
struct Preferences
{
    int Cta0OFX = 0; // the bank account
    int Cta1OFX = 0; // income account for credits
    int Cta2OFX = 0; // expense account for debits
    bool OkOFX = false;
};

// One statement transaction as a row of TbOFX. Codigo is given by the table and Obs, DataLog,
// DptoDeb, DptoCred stay empty until the import, so they are not carried here.
struct StagingRow
{
    QDate Data;
    int CtaDeb = 0;   // receives the money (Dest)
    int CtaCred = 0;  // gives the money (Orig)
    app::Money Valor; // never negative: the direction is in the accounts and in Controle
    QString Hsto;     // at most hstoSize characters
    QString NumDoc;   // "[I] " + check number, at most numDocSize characters
    bool Confirmado = false;
    QString Controle; // "-" for a debit to the bank, empty for a credit; never booked

    bool operator==(const StagingRow &) const = default;
};

inline constexpr int hstoSize = 80;
inline constexpr int numDocSize = 15;

// The facts of the statement header. Absent balance facts stay empty rather than failing the
// file: they only inform the user, while the rows are what gets imported.
struct Statement
{
    std::vector<StagingRow> rows;
    QString path;     // full path when read from a file, else empty
    QString bankId;   // BANKID padded with "0" to at least four characters ("0000" if absent)
    QString branchId; // BRANCHID as written, may be empty
    QString accountId;
    std::optional<app::Money> balance; // LEDGERBAL, signed
    QDate balanceDate;                 // null when absent
    QDate periodStart;                 // DTSTART of the transaction list, null when absent
    QDate periodEnd;
    int statementCount = 0; // statements in the file; only the first one is read
    // Transactions of amount zero, which are not in rows: the entry editor refuses a zero
    // amount, so the import screen only says how many there were.
    int zeroAmountsLeftOut = 0;
};

// Sets CtaDeb and CtaCred of `row` from its Controle: a debit ("-") moves money from the bank
// account to the expense account, a credit from the income account to the bank account. The
// import screen calls it again on every row when the user changes an account.
void bookRow(StagingRow &row, const Preferences &prefs);

} // namespace ofx
