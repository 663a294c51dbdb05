// Packing and reindexing the table files: each file is rewritten by SQLite (VACUUM, which drops
// the free pages of deleted rows), its indexes rebuilt (REINDEX) and checked (integrity_check), on
// a connection of its own that holds the file exclusively. The program's table objects are closed
// meanwhile and reopened as they were when the run ends, whatever failed. A table that fails is
// left as it was and named at the end; the run goes on.
#pragma once

#include "backupfile.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace data {
class TDM;
}

namespace users {

struct ReindexOutcome
{
    QStringList failed; // file names, in the order they were met
    // "Ok. Reindexação realizada!" for a clean run, else a text naming the failed files.
    QString message() const;
};

// Packs one table file (a path). Throws app::StorageError when it cannot be packed or is not a
// table file of the program afterwards; the file is then as it was (VACUUM is atomic). `tick`
// is called now and then while SQLite works.
void packFile(const QString &path, const std::function<void()> &tick = {});

// Packs `names` of `dirDados` in order; progress weighs each file by its record count + 5.
ReindexOutcome packFiles(const QString &dirDados, const QStringList &names,
                         const Progress &progress = {});

// Every user's tables (in TbUser's order), then TbUser and TbCfg.
ReindexOutcome reindexAll(data::TDM &dm, const Progress &progress = {});
// The signed-in user's tables.
ReindexOutcome reindexUser(data::TDM &dm, const Progress &progress = {});

} // namespace users
