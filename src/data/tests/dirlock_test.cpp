// The single-copy lock of a data folder: one holder per folder whatever the environment, across
// processes, released when its holder dies, and a failure to make it told apart from "in use".
#include <data/dirlock.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace data;

namespace {

using R = DirLock::Result;

TEST(DirLock, OneHolderPerFolderAndTheFileIsInIt)
{
    QTemporaryDir dir;
    {
        DirLock first(dir.path());
        ASSERT_EQ(first.tryLock(), R::Locked);
        EXPECT_EQ(first.path(), dir.filePath(".quorvila.lock"));
        EXPECT_TRUE(QFile::exists(dir.filePath(".quorvila.lock")));
        DirLock second(dir.path());
        EXPECT_EQ(second.tryLock(), R::InUse);
        EXPECT_TRUE(second.errorText().isEmpty());
        // Another installation is another folder: never refused.
        QTemporaryDir other;
        DirLock elsewhere(other.path());
        EXPECT_EQ(elsewhere.tryLock(), R::Locked);
    }
    DirLock after(dir.path());
    EXPECT_EQ(after.tryLock(), R::Locked);
    // Hidden, and no table file: no catalogue or backup lists it.
    EXPECT_FALSE(QDir(dir.path()).entryList(QDir::Files).contains(".quorvila.lock"));
}

TEST(DirLock, TheEnvironmentDoesNotChooseTheLock)
{
    QTemporaryDir dir;
    DirLock first(dir.path());
    ASSERT_EQ(first.tryLock(), R::Locked);
    const QByteArray user = qgetenv("USER"), tmp = qgetenv("TMPDIR");
    qputenv("USER", "outra-pessoa");
    qputenv("TMPDIR", "/nao/existe");
    DirLock second(dir.path());
    EXPECT_EQ(second.tryLock(), R::InUse);
    qputenv("USER", user);
    if (tmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmp);
}

TEST(DirLock, TheSameFolderThroughAnotherPathIsTheSameLock)
{
    QTemporaryDir dir;
    QTemporaryDir links;
    const QString link = links.filePath("atalho");
    ASSERT_TRUE(QFile::link(dir.path(), link));
    DirLock first(dir.path());
    ASSERT_EQ(first.tryLock(), R::Locked);
    DirLock second(link);
    EXPECT_EQ(second.tryLock(), R::InUse);
}

// A child process takes the lock, tells the parent, and waits for `release` to close.
pid_t holdInChild(const QString &dir, int ready[2], int release[2])
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        DirLock lock(dir);
        const char ok = lock.tryLock() == R::Locked ? 'L' : 'X';
        (void)!::write(ready[1], &ok, 1);
        char c;
        (void)!::read(release[0], &c, 1); // until the parent closes its end
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    return pid;
}

TEST(DirLock, AnotherProcessHoldingTheFolderIsInUseUntilItEnds)
{
    QTemporaryDir dir;
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t pid = holdInChild(dir.path(), ready, release);
    ASSERT_GT(pid, 0);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'L');
    {
        DirLock mine(dir.path());
        EXPECT_EQ(mine.tryLock(), R::InUse);
    }
    ::close(release[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(ready[0]);
    DirLock mine(dir.path());
    EXPECT_EQ(mine.tryLock(), R::Locked);
}

TEST(DirLock, AKilledHolderLeavesNoStaleLock)
{
    QTemporaryDir dir;
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t pid = holdInChild(dir.path(), ready, release);
    ASSERT_GT(pid, 0);
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(ready[0]);
    ::close(release[1]);
    EXPECT_TRUE(QFile::exists(dir.filePath(".quorvila.lock")));
    DirLock mine(dir.path());
    EXPECT_EQ(mine.tryLock(), R::Locked);
}

TEST(DirLock, AFailureToMakeTheLockSaysWhyAndIsNotInUse)
{
    QTemporaryDir dir;
    // Something that is no file stands where the lock must be made.
    ASSERT_TRUE(QDir(dir.path()).mkdir(".quorvila.lock"));
    DirLock lock(dir.path());
    EXPECT_EQ(lock.tryLock(), R::Failed);
    EXPECT_TRUE(lock.errorText().contains(QDir::toNativeSeparators(dir.path())));
    EXPECT_TRUE(lock.errorText().startsWith("Não foi possível criar o arquivo de controle de uso"));
    EXPECT_TRUE(lock.errorText().contains("Já existe nela uma pasta"));
    EXPECT_FALSE(lock.errorText().contains("já está em uso"));
    EXPECT_FALSE(lock.errorDetail().isEmpty());

    DirLock missing(dir.filePath("nao-existe"));
    EXPECT_EQ(missing.tryLock(), R::Failed);
    EXPECT_TRUE(missing.errorText().contains("A pasta não existe."));
}

} // namespace
