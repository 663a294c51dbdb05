// What the entry editor looks up in the signed-in user's chart and standard histories, by code,
// with bound parameters. Reads only; the pop-ups that let the user browse are accounts/'s.
#pragma once

#include <QString>

#include <optional>

namespace data {
class Database;
class Table;
} // namespace data

namespace entries {

struct AccountRef
{
    QString codCta;
    QString descricao;
    QString descParaHsto;
    // "0.01.01 - Carteira": how the editor names the account beside its field.
    QString label() const { return codCta + " - " + descricao; }
};

// The account with reduced code `codRed` in the file of the chart table object `tbCta` (attached on
// `db` for the call, open or not); empty when there is none (codes 0 and below never name one).
// Throws app::StorageError when the chart cannot be read.
std::optional<AccountRef> findAccount(data::Database &db, const data::Table &tbCta, qint64 codRed);
// The text of standard history `codigo` in the file of `tbHsto`; empty when there is none.
std::optional<QString> findStandardHistory(data::Database &db, const data::Table &tbHsto,
                                           qint64 codigo);

// A history field text read as a standard-history number: all blanks removed, a whole number.
// Empty when the text is anything else (then it is a history, not a code).
std::optional<qint64> historyCodeFromText(const QString &text);

} // namespace entries
