// The storage failures a user can meet, in words the user can act on: a read-only file or folder,
// a full disk, a file locked by another program, a damaged file, a file that cannot be opened, a
// disk error. Each text names the file and says what to do; SQLite's own words, its code and the
// statement stay in the error's technical detail (the message box's details button). Rules only:
// no widgets. Keyed by SQLite's extended result codes (SQLITE_READONLY_DBMOVED, SQLITE_IOERR_WRITE,
// ...), so that a new subcode falls to its primary code's text.
#pragma once

#include <app/error.h>

#include <QString>
#include <QStringList>

namespace data {

// The Portuguese text for a failure of SQLite with extended result code `code` on `files` (table
// files, most relevant first; empty when none is known, then `dirDados` is named instead).
QString sqliteErrorText(int code, const QStringList &files, const QString &dirDados = {});

// The exception for a failure of SQLite: the text above, and as detail SQLite's message, its code,
// the files and the statement (cut when very long).
app::StorageError sqliteError(int code, const QString &sqliteMessage, const QString &sql,
                              const QStringList &files, const QString &dirDados = {});

// A file that holds no table of the program (a file of zero bytes, another program's database):
// the same text as a damaged file.
app::StorageError damagedFileError(const QString &path, const QString &detail);

// A failure of the operating system (errno `err`) while doing `what` on `path`: the text of the
// same kind of SQLite failure (read-only, full disk, disk error, missing file), the system's words
// as detail.
app::StorageError fileError(int err, const QString &path, const QString &what);

// A path as the user reads it: native separators, and a staging file ("TbCfg.DB.new") shown under
// the name it is being made for.
QString displayPath(const QString &path);

} // namespace data
