// The OFX statement reader: from the bytes of a bank statement (SGML or XML form) to staging
// rows and header facts. It reads the whole file before it returns anything, so a failure
// leaves the caller's staging rows as they were; it stores nothing and shows nothing.
#pragma once

#include "statement.h"

#include <QByteArray>
#include <QString>

namespace ofx {

// Reads the first bank statement of an OFX file.
// Returns every transaction of the statement's transaction list whose amount is not zero, in
// file order, booked with `prefs` (bookRow), plus the header facts; the transactions of amount
// zero are only counted, in Statement::zeroAmountsLeftOut, for the import screen to tell the
// user. Each transaction is read from its own STMTTRN block only; the account facts come from
// BANKACCTFROM, the balance from LEDGERBAL and the period from the transaction list, of that
// same statement. Control characters in texts become blanks (fields.h plainText).
// Throws (and returns nothing) when:
//  a) the file lacks, in this order, the opening tags OFX, BANKMSGSRSV1, STMTTRNRS, STMTRS,
//     BANKTRANLIST, STMTTRN and the closing tags of STMTTRN and BANKTRANLIST: app::Error
//     invalidFormatMessage();
//  b) a DTPOSTED or TRNAMT of a transaction, or a DTASOF, BALAMT, DTSTART or DTEND that is
//     present, does not convert: app::ConversionError with the conversion's message (fields.h);
//  c) the amount of a transaction is beyond app::kMaxAmountCentavos either way:
//     app::ConversionError amountTooLargeMessage(the amount's text).
// A statement with no transaction is not a failure: rows is empty (see noEntriesMessage()).
Statement readStatement(const QByteArray &bytes, const Preferences &prefs);

// Reads the file at `path` whole and then as readStatement, with Statement::path set.
// Throws app::Error openErrorMessage() when the file cannot be read, else as readStatement.
Statement readStatementFile(const QString &path, const Preferences &prefs);

// "Formato de arquivo inválido!..." shown when the file is not a bank statement.
QString invalidFormatMessage();
// "Erro ao abrir arquivo!..." shown when the file cannot be read.
QString openErrorMessage();
// Shown when a valid statement holds no transaction.
QString noEntriesMessage();
// "Valor de lançamento acima do máximo permitido..." quoting `amount` and the largest amount.
QString amountTooLargeMessage(QStringView amount);
// "Este arquivo OFX contém n lançamento(s)." for the row counter of the import screen.
QString entryCountText(qsizetype n);

} // namespace ofx
