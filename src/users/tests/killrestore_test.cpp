// A general restore run in a child process and killed (SIGKILL) at random moments: after the
// next start's recovery the data folder holds either the old files or the backup's, whole, every
// time.
#include "restorefixture.h"

#include <users/backup.h>
#include <users/restore.h>

#include <QDir>
#include <QElapsedTimer>

#include <random>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace users;

namespace {

// In a child: opens the installation as the program does and restores `kbf` over it.
[[noreturn]] void restoreInChild(const QString &dados, const QString &temp, const QString &kbf)
{
    {
        data::TDM dm;
        dm.DataModuleCreate(dados, temp);
        dm.openSharedTables();
        dm.pointUserTables("0001");
        dm.OpenUserFiles();
        try {
            restoreGeneral(dm, kbf);
        } catch (...) {
            _exit(2);
        }
    }
    _exit(0);
}

// Forks the restore and kills it after `delayUs` (never when negative); returns its wait status.
int runChild(const QString &dados, const QString &temp, const QString &kbf, qint64 delayUs)
{
    const pid_t pid = fork();
    if (pid == 0)
        restoreInChild(dados, temp, kbf);
    if (delayUs >= 0) {
        usleep(useconds_t(delayUs));
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

} // namespace

TEST(KilledRestore, LeavesTheOldFilesOrTheNewOnesWhole)
{
    QTemporaryDir dir;
    const QString dados = dir.filePath("Dados"), saved = dir.filePath("saved");
    const QString kbf = dir.filePath("geral.KBF");
    std::map<std::string, std::string> backedUp, old;
    {
        RestoreBook f;
        f.dm.DataModuleCreate(dados, dir.path());
        QDir().mkpath(dados);
        data::installFirstRun(f.dm.db(), QDate(2026, 12, 10));
        f.reopen();
        f.addUser(2, "Maria");
        f.addEntry("0002", 1234);
        makeGeneralBackup(f.dm, kbf, QDateTime::currentDateTime());
        backedUp = f.folderContents();
        f.addUser(3, "Pedro");
        f.addEntry("0001", 99);
        old = f.folderContents();
        f.closeAll();
    }
    ASSERT_NE(old, backedUp);
    copyFolder(dados, saved);
    const auto reset = [&] {
        QDir(dados).removeRecursively();
        copyFolder(saved, dados);
    };

    QElapsedTimer t;
    t.start();
    const int whole = runChild(dados, dir.path(), kbf, -1);
    const qint64 fullUs = t.nsecsElapsed() / 1000;
    ASSERT_TRUE(WIFEXITED(whole) && WEXITSTATUS(whole) == 0);
    ASSERT_EQ(RestoreBook::contentsOf(dados), backedUp);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<qint64> when(0, fullUs);
    int sawOld = 0, sawNew = 0;
    for (int i = 0; i < 25; ++i) {
        reset();
        const qint64 delay = when(random);
        runChild(dados, dir.path(), kbf, delay);
        recoverInterruptedRestore(dados);
        const auto now = RestoreBook::contentsOf(dados);
        EXPECT_TRUE(now == old || now == backedUp) << "killed after " << delay << " us";
        sawOld += now == old;
        sawNew += now == backedUp;
        EXPECT_FALSE(QDir(dados + '/' + kStagingFolder).exists());
        EXPECT_FALSE(QDir(dados + '/' + kSafetyFolder).exists());
    }
    std::printf("killed restores: %d found the old files, %d the new ones (full run %lld us)\n",
                sawOld, sawNew, static_cast<long long>(fullUs));
}
