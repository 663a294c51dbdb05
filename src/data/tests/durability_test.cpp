// A posted entry is on disk when post() returns: a child process posts entries and is killed
// with SIGKILL at an arbitrary moment; every post it had reported must be there afterwards.
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace data;

namespace {

[[noreturn]] void postForever(const QString &dir, int reportFd)
{
    TDM dm;
    dm.DataModuleCreate(dir);
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    for (int i = 0;; ++i) {
        dm.TbFin->append();
        dm.TbFin->setValue("Data", QDate(2026, 1, 1).addDays(i % 365));
        dm.TbFin->setValue("CtaDeb", 11);
        dm.TbFin->setValue("CtaCred", 111);
        dm.TbFin->setValue("Valor", 100 + i);
        dm.TbFin->setValue("Hsto", QString("LANCAMENTO %1").arg(i));
        dm.TbFin->post();
        const qint64 code = dm.TbFin->asInt("Codigo");
        if (write(reportFd, &code, sizeof code) != sizeof code)
            _exit(1);
    }
}

TEST(Durability, EveryReturnedPostSurvivesSigkill)
{
    QTemporaryDir dir;
    {
        Database db;
        db.setDirDados(dir.path());
        installFirstRun(db, QDate(2026, 12, 10));
    }
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(fds[0]);
        postForever(dir.path(), fds[1]);
    }
    close(fds[1]);
    qint64 lastReported = 0;
    for (int n = 0; n < 40; ++n)
        ASSERT_EQ(read(fds[0], &lastReported, sizeof lastReported), ssize_t(sizeof lastReported));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(fds[0]);

    Database db;
    db.setDirDados(dir.path());
    AttachGuard g(db, "Tb0001Fin.DB");
    EXPECT_EQ(db.scalar("PRAGMA \"Tb0001Fin\".integrity_check").toString(), "ok");
    // The five sample entries plus every post the child reported (and maybe one more).
    const qint64 stored =
        db.scalar("SELECT count(*) FROM " + g.table() + " WHERE Codigo <= ?", {lastReported})
            .toLongLong();
    EXPECT_EQ(stored, lastReported);
    EXPECT_GE(lastReported, 45);
}

} // namespace
