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

// Another process holding the folder's lock: the child takes it, tells the parent, and keeps it
// until the parent lets it go (end()) or kills it (kill()).
class LockInChild
{
public:
    explicit LockInChild(const QString &dir)
    {
        if (::pipe(m_ready) != 0 || ::pipe(m_release) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(m_ready[0]);
            ::close(m_release[1]);
            DirLock lock(dir);
            const char ok = lock.tryLock() == R::Locked ? 'L' : 'X';
            (void)!::write(m_ready[1], &ok, 1);
            char c;
            (void)!::read(m_release[0], &c, 1); // until the parent closes its end
            ::_exit(0);
        }
        ::close(m_ready[1]);
        ::close(m_release[0]);
        char c = 0;
        m_locked = m_pid > 0 && ::read(m_ready[0], &c, 1) == 1 && c == 'L';
    }
    ~LockInChild() { end(); }
    bool locked() const { return m_locked; }
    void end() { stop(false); }
    void kill() { stop(true); }

private:
    void stop(bool kill)
    {
        if (m_pid <= 0)
            return;
        if (kill)
            ::kill(m_pid, SIGKILL);
        ::close(m_release[1]);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        ::close(m_ready[0]);
        m_pid = -1;
    }
    int m_ready[2] = {-1, -1}, m_release[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_locked = false;
};

TEST(DirLock, AnotherProcessHoldingTheFolderIsInUseUntilItEnds)
{
    QTemporaryDir dir;
    LockInChild other(dir.path());
    ASSERT_TRUE(other.locked());
    {
        DirLock mine(dir.path());
        EXPECT_EQ(mine.tryLock(), R::InUse);
    }
    other.end();
    DirLock mine(dir.path());
    EXPECT_EQ(mine.tryLock(), R::Locked);
}

TEST(DirLock, AKilledHolderLeavesNoStaleLock)
{
    QTemporaryDir dir;
    LockInChild other(dir.path());
    ASSERT_TRUE(other.locked());
    other.kill();
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
