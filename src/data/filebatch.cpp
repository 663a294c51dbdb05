#include "filebatch.h"

#include <app/error.h>

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace data {

FileBatch::FileBatch(Database &db) : m_db(db) {}

FileBatch::~FileBatch()
{
    if (!m_done)
        rollback();
}

QString FileBatch::create(const QString &fileName, const TableDef &def)
{
    if (m_db.fileExists(fileName))
        QUORVILA_THROW(app::StorageError, "Arquivo já existe: " + m_db.pathOf(fileName));
    const QString staging = stagingName(fileName);
    QFile::remove(m_db.pathOf(staging)); // a leftover of an interrupted earlier attempt
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

static void flushFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        if (fd >= 0)
            ::close(fd);
        QUORVILA_THROW(app::StorageError, "Erro ao gravar arquivo: " + path);
    }
    ::close(fd);
}

void FileBatch::commit()
{
    for (const QString &f : m_files)
        m_db.detach(stagingName(f));
    m_attachedAll = false;
    for (const QString &f : m_files)
        flushFile(m_db.pathOf(stagingName(f)));
    for (int i = m_files.size() - 1; i >= 0; --i) {
        const QString from = m_db.pathOf(stagingName(m_files[i]));
        const QString to = m_db.pathOf(m_files[i]);
        if (!QFile::rename(from, to)) {
            // Undo the renames done so far so that nothing half-made stays visible.
            for (int j = m_files.size() - 1; j > i; --j)
                QFile::rename(m_db.pathOf(m_files[j]), m_db.pathOf(stagingName(m_files[j])));
            QUORVILA_THROW(app::StorageError, "Erro ao gravar arquivo: " + to);
        }
    }
    // Make the renames themselves durable.
    flushFile(m_db.dirDados());
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

} // namespace data
