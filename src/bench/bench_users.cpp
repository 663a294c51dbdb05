// Backup, restore and reindexing on an installation whose user 0001 has the generated ten-year
// book of 100,000 entries: the general backup (snapshots and compression), its general restore
// (staging, checks, swap) and the reindexing of that user's tables.
#include "bench.h"
#include "bookgen.h"

#include <data/UDM.h>
#include <users/backup.h>
#include <users/maintenance.h>
#include <users/restore.h>

#include <QDir>
#include <QFileInfo>

namespace bench {

void runUsersBench(const Options &o)
{
    const QString dir = o.workDir + "/bookUsers";
    QDir().mkpath(dir);
    generateBook(dir, o.entries, o.years, QDate(2026, 12, 31));

    data::TDM dm;
    dm.DataModuleCreate(dir, o.workDir);
    dm.openSharedTables();
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    const int reps = std::min(o.repetitions, 5);
    const QString kbf = o.workDir + "/geral.KBF";
    qint64 steps = 0;
    const users::Progress count = [&](qint64, qint64) {
        ++steps;
    };

    report(
        "general backup (100,000-entry user)",
        medianMs(reps,
                 [&] { users::makeGeneralBackup(dm, kbf, QDateTime::currentDateTime(), count); }),
        reps);
    std::printf("  backup file: %lld bytes, Tb0001Fin.DB %lld bytes\n",
                static_cast<long long>(QFileInfo(kbf).size()),
                static_cast<long long>(QFileInfo(dir + "/Tb0001Fin.DB").size()));
    report("general restore of that backup",
           medianMs(reps,
                    [&] {
                        users::restoreGeneral(dm, kbf, count);
                        dm.openSharedTables();
                        dm.pointUserTables("0001");
                        dm.OpenUserFiles();
                    }),
           reps);
    report("reindex of the user's tables",
           medianMs(reps,
                    [&] {
                        if (!users::reindexUser(dm, count).failed.isEmpty())
                            std::printf("  (a table failed)\n");
                    }),
           reps);
    if (steps == 0)
        report("(no progress reported)", 0, 0);
}

} // namespace bench
