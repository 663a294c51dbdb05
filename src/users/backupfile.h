// The backup file (.KBF): one zlib stream holding a header, the number of stored files and, for
// each, its bare name, its size, its bytes and an end mark 0; integers 32-bit little-endian, texts
// Windows-1252. This file owns the format only: the writer, the header's texts and the reader
// with every check a file from outside must pass. Which files go in, and what a restore does with
// them, is backup.cpp's and restore.cpp's.
#pragma once

#include <app/error.h>

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace users {

inline constexpr const char *kBackupVersion = "0001";
inline constexpr const char *kGeneralKind = "0000";

// The header's fields. A general backup has kind "0000", a user backup the user's code.
struct BackupHeader
{
    QString version = kBackupVersion;
    QString kind = kGeneralKind;
    qint64 totalSize = 0; // the sum of the stored files' sizes
    int userCount = 0;    // general backup
    QString date;         // "dd/MM/yyyy"
    QString time;         // "hh:mm:ss"
    // user backup
    QString nome;
    QDate fechadoAte, dtMin; // invalid: empty
    std::optional<int> cta0, cta1, cta2;

    bool general() const { return kind == kGeneralKind; }
};

// The header text: 44 characters for a general backup, 114 for a user's. An empty date is
// written as the calendar's day zero, 30/12/1899 ("30121899").
QByteArray encodeHeader(const BackupHeader &h);
// Reads a header text back (the day-zero date as empty). Throws BackupError NotABackup when the
// text has neither length or holds what the fields cannot.
BackupHeader decodeHeader(const QByteArray &text);

class BackupError : public app::Error
{
public:
    enum class Kind { NotABackup, OtherVersion, Io };
    BackupError(Kind kind, const QString &text, const char *file, int line)
        : app::Error(text, file, line), m_kind(kind)
    {
    }
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// Progress in bytes of file content: (done, total).
using Progress = std::function<void(qint64, qint64)>;

struct BackupItem
{
    QString name;   // the bare name stored ("Tb0001Fin.DB")
    QString source; // the file whose bytes are stored
};

// Writes the backup to `target` at compression level 9. The file is written under a temporary
// name in the same folder and renamed over `target` only when complete, so a failure leaves an
// earlier file of that name as it was. h.totalSize is set from the items' sizes. Throws
// BackupError Io (with the system's words as detail) on any failure.
void writeBackup(const QString &target, BackupHeader h, const std::vector<BackupItem> &items,
                 const Progress &progress = {});

// Reads only the header. Throws BackupError: NotABackup (not a zlib stream, truncated, a length
// out of bounds, a bad header), OtherVersion (positions 1-4 are not "0001").
BackupHeader readBackupHeader(const QString &path);

// What a reader accepts as stored names: returns the name to store the file under, or nothing
// when the name is not one this backup may hold.
using NameRule = std::function<std::optional<QString>(const QString &stored)>;

struct ExtractedBackup
{
    BackupHeader header;
    QStringList names; // as stored in `dir`, in the file's order
};

// Reads the whole backup into the folder `dir` (which must exist and be empty), checking as it
// goes: the header, the file count (`expectedCount(header)`), every name against `rule` (and no
// name twice), every length within bounds, every end mark 0, the sizes against the header's total
// and the end of the stream with nothing after it. Throws BackupError NotABackup (or
// OtherVersion) on the first fault; what it wrote stays in `dir` for the caller to remove.
ExtractedBackup extractBackup(const QString &path, const QString &dir, const NameRule &rule,
                              const std::function<int(const BackupHeader &)> &expectedCount,
                              const Progress &progress = {});

// The same checks over bytes in memory, storing nothing (for the fuzz target and for tests).
ExtractedBackup checkBackupBytes(const QByteArray &bytes, const NameRule &rule,
                                 const std::function<int(const BackupHeader &)> &expectedCount);

} // namespace users
