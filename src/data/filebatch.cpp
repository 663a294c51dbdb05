#include "filebatch.h"

#include "storageerror.h"

#include <app/error.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace data {

namespace {

FileBatch::StopHook &stopHook()
{
    static FileBatch::StopHook hook;
    return hook;
}

// The last line of a complete commit record.
const char *const kRecordEnd = "fim";

} // namespace

void flushFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw fileError(errno, path, "open");
    if (::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        throw fileError(err, path, "fsync");
    }
    ::close(fd);
}

void renameNoReplace(const QString &from, const QString &to)
{
    const QByteArray f = QFile::encodeName(from), t = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return;
    int err = errno;
    if (err == EINVAL || err == ENOSYS) {
        // A file system without RENAME_NOREPLACE; under the folder's lock no one else creates
        // the final name meanwhile.
        if (QFile::exists(to))
            err = EEXIST;
        else if (::rename(f.constData(), t.constData()) == 0)
            return;
        else
            err = errno;
    }
    throw fileError(err, to, "rename " + QDir::toNativeSeparators(from));
}

void removeFile(const QString &path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        throw fileError(errno, path, "unlink");
}

namespace {

void writeRecord(Database &db, const QStringList &names)
{
    // Written under a temporary name and renamed: the record appears whole or not at all.
    const QString tmp = db.pathOf(QString(FileBatch::kCommitRecord) + ".new");
    const QByteArray text = (names.join('\n') + '\n' + kRecordEnd + '\n').toUtf8();
    const int fd =
        ::open(QFile::encodeName(tmp).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw fileError(errno, tmp, "open");
    if (::write(fd, text.constData(), size_t(text.size())) != text.size() || ::fsync(fd) != 0) {
        const int err = errno ? errno : EIO;
        ::close(fd);
        ::unlink(QFile::encodeName(tmp).constData());
        throw fileError(err, tmp, "write");
    }
    ::close(fd);
    if (::rename(QFile::encodeName(tmp).constData(),
                 QFile::encodeName(db.pathOf(FileBatch::kCommitRecord)).constData()) != 0) {
        const int err = errno;
        ::unlink(QFile::encodeName(tmp).constData());
        throw fileError(err, db.pathOf(FileBatch::kCommitRecord), "rename");
    }
    flushFile(db.dirDados());
}

// The names of a complete record; empty (with the reason logged) for one that is not.
QStringList readRecord(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw fileError(EACCES, path, "open");
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    if (lines.isEmpty() || lines.takeLast() != kRecordEnd) {
        qWarning("commit record %s is incomplete; ignored", qPrintable(path));
        return {};
    }
    for (const QString &l : lines)
        if (l.contains('/') || l.contains('\\') || !l.endsWith(".DB", Qt::CaseInsensitive)) {
            qWarning("commit record %s names '%s'; ignored", qPrintable(path), qPrintable(l));
            return {};
        }
    return lines;
}

} // namespace

FileBatch::FileBatch(Database &db) : m_db(db) {}

FileBatch::~FileBatch()
{
    if (!m_done)
        rollback();
}

void FileBatch::setStopHook(StopHook hook)
{
    stopHook() = std::move(hook);
}

bool FileBatch::stopAt(int step)
{
    if (!stopHook() || !stopHook()(step))
        return false;
    m_done = true; // a killed process undoes nothing
    return true;
}

QString FileBatch::create(const QString &fileName, const TableDef &def)
{
    if (m_db.fileExists(fileName))
        QUORVILA_THROW(app::StorageError, "Arquivo já existe: " + m_db.pathOf(fileName));
    const QString staging = stagingName(fileName);
    // Leftovers of an interrupted earlier attempt; a stale journal would be rolled back into the
    // new file.
    removeFile(m_db.pathOf(staging) + "-journal");
    removeFile(m_db.pathOf(staging));
    const QString alias = m_db.attach(staging, true);
    m_files << fileName;
    // Nothing reads a staging file before commit(), which flushes it once as a whole.
    m_db.exec("PRAGMA " + quoteIdent(alias) + ".synchronous=OFF");
    for (const QString &stmt : def.ddl(alias, kInnerTable))
        m_db.exec(stmt);
    return quoteIdent(alias) + '.' + kInnerTable;
}

QString FileBatch::table(const QString &fileName) const
{
    if (!m_files.contains(fileName))
        QUORVILA_THROW(app::StorageError, "Arquivo fora do lote: " + fileName);
    return quoteIdent(m_db.aliasOf(stagingName(fileName))) + '.' + kInnerTable;
}

void FileBatch::commit()
{
    for (const QString &f : m_files)
        m_db.detach(stagingName(f));
    m_attachedAll = false;
    for (const QString &f : m_files)
        flushFile(m_db.pathOf(stagingName(f)));
    QStringList order = m_files;
    std::reverse(order.begin(), order.end());
    if (stopAt(-1))
        throw Stopped();
    writeRecord(m_db, order);
    for (int i = 0; i < order.size(); ++i) {
        if (stopAt(i))
            throw Stopped();
        try {
            renameNoReplace(m_db.pathOf(stagingName(order[i])), m_db.pathOf(order[i]));
        } catch (const app::StorageError &) {
            // Undo the renames done so far so that nothing half-made stays visible; if that
            // fails too the record stays, and the next start finishes the batch instead.
            bool undone = true;
            for (int j = i - 1; j >= 0; --j)
                undone =
                    ::rename(QFile::encodeName(m_db.pathOf(order[j])).constData(),
                             QFile::encodeName(m_db.pathOf(stagingName(order[j]))).constData()) ==
                        0 &&
                    undone;
            if (undone) {
                app::noThrow("remove commit record",
                             [&] { removeFile(m_db.pathOf(kCommitRecord)); });
            } else {
                m_done = true; // the staging files the record needs must stay
            }
            throw;
        }
    }
    if (stopAt(order.size()))
        throw Stopped();
    // Make the renames themselves durable, then drop the record.
    flushFile(m_db.dirDados());
    removeFile(m_db.pathOf(kCommitRecord));
    app::noThrow("flush data folder", [&] { flushFile(m_db.dirDados()); });
    m_done = true;
}

void FileBatch::rollback() noexcept
{
    for (const QString &f : m_files) {
        try {
            if (m_attachedAll)
                m_db.detach(stagingName(f));
        } catch (const std::exception &e) {
            qWarning("detach: %s", e.what());
        }
        QFile::remove(m_db.pathOf(stagingName(f)));
        QFile::remove(m_db.pathOf(stagingName(f)) + "-journal");
    }
    m_done = true;
}

QStringList FileBatch::finishRenames(Database &db, const QStringList &names)
{
    QStringList done;
    for (const QString &name : names) {
        const QString staging = db.pathOf(stagingName(name));
        if (!QFile::exists(staging))
            continue; // renamed before the interruption
        if (db.fileExists(name)) {
            removeFile(staging); // never replaces a file that is there
            continue;
        }
        renameNoReplace(staging, db.pathOf(name));
        done << name;
    }
    flushFile(db.dirDados());
    return done;
}

QStringList FileBatch::recover(Database &db)
{
    if (db.dirDados().isEmpty() || !QFileInfo(db.dirDados()).isDir())
        return {};
    QStringList done;
    const QString record = db.pathOf(kCommitRecord);
    if (QFile::exists(record)) {
        done = finishRenames(db, readRecord(record));
        removeFile(record);
        flushFile(db.dirDados());
    }
    // What is left of batches that never committed.
    const QDir dir(db.dirDados());
    const QStringList leftovers =
        dir.entryList({"*.DB.new", "*.DB.new-journal", QString(kCommitRecord) + ".new"},
                      QDir::Files | QDir::Hidden | QDir::System);
    if (!leftovers.isEmpty())
        qWarning("removing what an unfinished creation left: %s", qPrintable(leftovers.join(", ")));
    for (const QString &f : leftovers)
        removeFile(dir.absoluteFilePath(f));
    return done;
}

} // namespace data
