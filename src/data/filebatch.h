// Creates a set of table files that appear together or not at all. Each file is built under a
// staging name beside its final one, filled, flushed, and only renamed into place by commit();
// a failure (or a batch that is never committed) removes every staging file, so the data
// directory is left exactly as it was.
#pragma once

#include "database.h"
#include "tabledef.h"

#include <QString>
#include <QStringList>

namespace data {

class FileBatch
{
public:
    explicit FileBatch(Database &db);
    ~FileBatch(); // rolls back unless commit() ran
    FileBatch(const FileBatch &) = delete;
    FileBatch &operator=(const FileBatch &) = delete;

    // Creates the table of `def` in a staging file for `fileName` (a name in DirDados) and
    // returns its SQL name. Throws StorageError when the final file already exists.
    QString create(const QString &fileName, const TableDef &def);
    // The SQL name of a file created in this batch (throws for one that was not).
    QString table(const QString &fileName) const;
    Database &db() { return m_db; }

    // Flushes every staging file and renames it to its final name, the first one created last
    // (so the files whose presence marks a finished installation appear at the very end).
    void commit();

private:
    void rollback() noexcept;
    QString stagingName(const QString &fileName) const { return fileName + ".new"; }

    Database &m_db;
    QStringList m_files; // final names, in creation order
    bool m_attachedAll = true;
    bool m_done = false;
};

} // namespace data
