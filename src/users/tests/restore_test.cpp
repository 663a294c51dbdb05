// Backups of an installation and their restores: both kinds round trip with identical table
// contents; a refused backup, a failing swap and an interrupted one leave the data folder with
// either the old files or the new ones, whole.
#include "restorefixture.h"

#include <users/backup.h>
#include <users/restore.h>

#include <QDir>
#include <QFile>

using namespace users;

namespace {

struct Killed
{
}; // not a std::exception: passes the swap's own handling like a killed process would

} // namespace

TEST_F(RestoreFixture, GeneralBackupRoundTripsEveryTableAndDropsUsersMadeSince)
{
    addUser(2, "Maria");
    addEntry("0002", 777);
    const auto before = folderContents();
    const QString kbf = dir.filePath("geral.KBF");
    makeGeneralBackup(dm, kbf, QDateTime(QDate(2026, 12, 10), QTime(21, 5, 9)));
    EXPECT_EQ(readBackupHeader(kbf).userCount, 2);

    addUser(3, "Pedro");
    addEntry("0001", 5);
    restoreGeneral(dm, kbf);
    EXPECT_EQ(folderContents(), before);
    EXPECT_FALSE(QFile::exists(dm.db().pathOf("Tb0003Fin.DB")));
    EXPECT_FALSE(QDir(dm.DirDados() + '/' + kStagingFolder).exists());
    EXPECT_FALSE(QDir(dm.DirDados() + '/' + kSafetyFolder).exists());
}

TEST_F(RestoreFixture, UserBackupLandsOnTheSignedInUserKeepingTheName)
{
    addEntry("0001", 4242);
    dm.TbUser->locate("Cod", 1);
    dm.TbUser->edit();
    dm.TbUser->setValue("FechadoAte", QDate(2026, 10, 31));
    dm.TbUser->setValue("Cta1OFX", QVariant());
    dm.TbUser->setValue("Cta0OFX", 13);
    dm.TbUser->post();
    const QString kbf = dir.filePath("user.KBF");
    makeUserBackup(dm, kbf, QDateTime::currentDateTime());

    addUser(2, "Maria");
    signIn("0002");
    restoreUser(dm, kbf);
    EXPECT_EQ(tableContents("Tb0002Fin.DB"), tableContents("Tb0001Fin.DB"));
    EXPECT_EQ(tableContents("Tb0002Cta.DB"), tableContents("Tb0001Cta.DB"));
    ASSERT_TRUE(dm.TbUser->locate("Cod", 2));
    EXPECT_EQ(dm.TbUser->asString("Nome"), "Maria");
    EXPECT_EQ(dm.TbUser->asDate("FechadoAte"), QDate(2026, 10, 31));
    EXPECT_TRUE(dm.TbUser->isNull("DtMin"));
    EXPECT_TRUE(dm.TbUser->isNull("Cta1OFX"));
    EXPECT_EQ(dm.TbUser->asInt("Cta0OFX"), 13);
}

TEST_F(RestoreFixture, WrongKindOfBackupNamesTheOtherCommand)
{
    const QString geral = dir.filePath("g.KBF"), user = dir.filePath("u.KBF");
    makeGeneralBackup(dm, geral, QDateTime::currentDateTime());
    makeUserBackup(dm, user, QDateTime::currentDateTime());
    const auto before = folderContents();
    try {
        restoreUser(dm, geral);
        FAIL();
    } catch (const BackupError &e) {
        EXPECT_TRUE(e.text().endsWith("Usuários/Gerenciar Usuários/Backup Geral!"));
    }
    try {
        restoreGeneral(dm, user);
        FAIL();
    } catch (const BackupError &e) {
        EXPECT_TRUE(e.text().endsWith("Usuários/Backup e Reindexação dos Dados!"));
    }
    EXPECT_EQ(folderContents(), before);
}

TEST_F(RestoreFixture, BackupThatIsWellFormedButHoldsNoDatabaseChangesNothing)
{
    // Right names, sizes and marks, but one table's bytes are not a database; and a general
    // backup whose TbUser lists a user that has no files in it.
    const QString bad = dir.filePath("bad.KBF");
    QFile junk(dir.filePath("junk"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a database at all");
    junk.close();
    BackupHeader h;
    h.kind = "0001";
    h.date = "01/01/2026";
    h.time = "00:00:00";
    std::vector<BackupItem> items;
    for (const QString &n : userBackupNames("0001"))
        items.push_back({n, n.endsWith("Fin.DB") ? junk.fileName() : dm.db().pathOf(n)});
    writeBackup(bad, h, items);

    const QString lying = dir.filePath("lying.KBF");
    BackupHeader g;
    g.userCount = 1;
    g.date = h.date;
    g.time = h.time;
    std::vector<BackupItem> general;
    for (const QString &n : generalBackupNames({"0001"}))
        general.push_back({n, dm.db().pathOf(n)});
    general[0].name = "Tb0009" + general[0].name.mid(6);
    for (size_t i = 1; i < general.size() - 2; ++i)
        general[i].name = "Tb0009" + general[i].name.mid(6);
    writeBackup(lying, g, general);

    const auto before = folderContents();
    EXPECT_THROW(restoreUser(dm, bad), BackupError);
    EXPECT_THROW(restoreGeneral(dm, lying), BackupError);
    EXPECT_EQ(folderContents(), before);
    EXPECT_FALSE(QDir(dm.DirDados() + '/' + kStagingFolder).exists());
}

TEST_F(RestoreFixture, SwapFailingAtAnyRenameBringsTheOldFilesBack)
{
    addUser(2, "Maria");
    const QString kbf = dir.filePath("geral.KBF");
    makeGeneralBackup(dm, kbf, QDateTime::currentDateTime());
    addEntry("0001", 99);
    const auto old = folderContents();
    for (int k = 0;; k += 5) {
        bool hit = false;
        setRestoreStepHook([&](int step) {
            if (step == k) {
                hit = true;
                throw std::runtime_error("disk gone");
            }
        });
        try {
            restoreGeneral(dm, kbf);
        } catch (const std::runtime_error &) {
        }
        setRestoreStepHook({});
        if (!hit)
            break;
        EXPECT_EQ(folderContents(), old) << "failing at rename " << k;
        EXPECT_FALSE(QDir(dm.DirDados() + '/' + kSafetyFolder).exists());
        reopen();
    }
}

TEST_F(RestoreFixture, RestoreInterruptedAtAnyRenameIsFinishedAtTheNextStart)
{
    addUser(2, "Maria");
    const QString kbf = dir.filePath("geral.KBF");
    makeGeneralBackup(dm, kbf, QDateTime::currentDateTime());
    const auto backedUp = folderContents();
    addUser(3, "Pedro");
    addEntry("0001", 99);
    const QString saved = dir.filePath("saved");
    copyFolder(dm.DirDados(), saved);
    for (int k = 0;; ++k) {
        bool hit = false;
        setRestoreStepHook([&](int step) {
            if (step == k) {
                hit = true;
                throw Killed();
            }
        });
        try {
            restoreGeneral(dm, kbf);
        } catch (const Killed &) {
        }
        setRestoreStepHook({});
        EXPECT_TRUE(recoverInterruptedRestore(dm.DirDados()) || !hit);
        EXPECT_EQ(folderContents(), backedUp) << "killed at rename " << k;
        if (!hit)
            break;
        closeAll();
        QDir(dm.DirDados()).removeRecursively();
        copyFolder(saved, dm.DirDados());
        reopen();
    }
}
