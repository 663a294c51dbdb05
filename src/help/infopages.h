// Reading pages of the information base for the panels and the Bible reader, on the base's own
// read-only connection. Each call prepares its own statement with bound parameters, so no
// shared query object carries a page from one screen to another.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace data {
class Database;
class Table;
} // namespace data

namespace help {

struct InfoPage
{
    qlonglong codigo = 0;
    int tipo = 0;
    QString titulo;
    QString texto; // rich text (HTML)
    QString dica;
    QByteArray imagem; // the picture's file bytes (PNG), empty when none
};

// The codes of every page of kind `tipo` (a PageKind of infocodes.h), in code order. Precondition:
// `tbInfo` is open on `info`. Throws StorageError when the file cannot be read.
QList<qlonglong> pageCodes(data::Database &info, const data::Table &tbInfo, int tipo);

// The page with code `codigo`, or nothing when there is none. Same precondition and errors.
std::optional<InfoPage> readPage(data::Database &info, const data::Table &tbInfo, qlonglong codigo);

} // namespace help
