// Creates a set of table files that appear together or not at all. Each file is built under a
// staging name beside its final one ("TbCfg.DB.new"), filled, flushed, and only renamed into place
// by commit(); a failure (or a batch that is never committed) removes every staging file, so the
// data directory is left exactly as it was.
//
// A process can be killed (or the machine lose power) between two renames. So commit() first
// writes a commit record, "Dados/.quorvila-lote" (hidden, no .DB suffix: in no catalogue and no
// backup), listing the final names; it appears atomically, after every staging file is complete
// on disk, and goes once every rename is done. recover(), at the next start, reads it:
// - a commit record: the batch was committed; the renames it lists that did not happen are done
//   now (a final name that exists is never overwritten), then the record goes;
// - no record: no rename of a batch ever happened without one, so staging files ("*.DB.new",
//   their journals) are leftovers of a batch that never committed; they are removed, and the
//   folder is as it was before that batch.
#pragma once

#include "database.h"
#include "tabledef.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

namespace data {

// Makes a file (or a folder's entries, given the folder) durable: fsync. Throws StorageError.
void flushFile(const QString &path);
// Renames without ever replacing an existing file. Throws StorageError.
void renameNoReplace(const QString &from, const QString &to);
// Removes a file; a missing one is no failure. Throws StorageError.
void removeFile(const QString &path);

class FileBatch
{
public:
    static constexpr const char *kCommitRecord = ".quorvila-lote";
    static QString stagingName(const QString &fileName) { return fileName + ".new"; }

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

    // Flushes every staging file, writes the commit record and renames each staging file to its
    // final name, the first one created last (so the files whose presence marks a finished
    // installation appear at the very end), then removes the record.
    void commit();

    // At start-up, before any table is opened and while no batch is open: finishes a batch whose
    // commit was interrupted and removes the staging files of batches that never committed (see
    // above). Returns the final names it put in place. Throws StorageError when a rename or a
    // removal fails (the record stays, so the next start tries again).
    static QStringList recover(Database &db);
    // Renames each "<name>.new" that exists to `name` (unless `name` exists: then the staging file
    // goes), in this order, and makes the renames durable. Returns the names put in place.
    static QStringList finishRenames(Database &db, const QStringList &names);

    // For tests: called at each step of commit() with -1 before the commit record is written,
    // then with the number of renames done (0 to n). Returning true stops commit() right there as
    // a killed process would stop (nothing undone, nothing removed) by throwing Stopped.
    using StopHook = std::function<bool(int step)>;
    static void setStopHook(StopHook hook);
    struct Stopped : std::runtime_error
    {
        Stopped() : std::runtime_error("FileBatch::commit stopped by the test hook") {}
    };

private:
    void rollback() noexcept;
    bool stopAt(int step);

    Database &m_db;
    QStringList m_files; // final names, in creation order
    bool m_attachedAll = true;
    bool m_done = false;
};

} // namespace data
