// Storage failures a user can meet, as the user reads them: a Portuguese text that names the file
// and says what to do, SQLite's own words and the statement kept as the technical detail.
// (The tests run as root, where a chmod stops no write: a read-only file is one SQLite opened
// read-only, a full disk is SQLite's page limit, a locked file is another connection's lock.)
#include "installedbook.h"

#include <data/UDM.h>
#include <data/newuserdata.h>
#include <data/storageerror.h>

#include <app/error.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

using namespace data;

namespace {

struct Installed : InstalledBook
{
    QString native(const QString &file) const
    {
        return QDir::toNativeSeparators(dir.filePath(file));
    }
    // Posts one entry through the entries table object, as the entry editor does.
    void postEntry()
    {
        Table *t = dm.TbFin;
        t->append();
        t->setValue("Data", QDate(2026, 12, 11));
        t->setValue("CtaDeb", 11);
        t->setValue("CtaCred", 13);
        t->setValue("Valor", 1234);
        t->setValue("Hsto", "SAQUE");
        t->post();
    }
};

// The user's text never carries the engine's English or the statement.
void expectReadable(const app::StorageError &e)
{
    for (const char *raw :
         {"database", "attempt", "SELECT", "INSERT", "UPDATE", "Tabela", "disk is"})
        EXPECT_FALSE(e.text().contains(raw)) << raw << " in: " << e.text().toStdString();
    EXPECT_FALSE(e.detail().isEmpty());
}

TEST_F(Installed, AReadOnlyFileNamesTheFileAndSaysWhatToDo)
{
    // Another connection that may only read (the way SQLite opens a write-protected file).
    Database ro(true);
    ro.setDirDados(dir.path());
    AttachGuard fin(ro, "Tb0001Fin.DB");
    try {
        ro.exec("INSERT INTO " + fin.table() +
                " (Data, CtaDeb, CtaCred, Valor, Hsto)"
                " VALUES ('2026-12-11', 11, 13, 100, 'X')");
        FAIL() << "a read-only file was written";
    } catch (const app::StorageError &e) {
        EXPECT_EQ(e.sqliteCode() & 0xff, SQLITE_READONLY);
        EXPECT_TRUE(e.text().startsWith("Não foi possível gravar no arquivo\r\n" +
                                        native("Tb0001Fin.DB") + "\r\n"))
            << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("somente para leitura"));
        EXPECT_TRUE(e.text().contains("permite gravação"));
        EXPECT_TRUE(e.detail().contains("attempt to write a readonly database"));
        EXPECT_TRUE(e.detail().contains("INSERT INTO"));
        expectReadable(e);
    }
}

TEST_F(Installed, APostIntoAQueryOnlyConnectionIsReadOnlyToo)
{
    dm.db().exec("PRAGMA query_only=1");
    try {
        postEntry();
        FAIL() << "posted through a read-only connection";
    } catch (const app::StorageError &e) {
        EXPECT_EQ(e.sqliteCode() & 0xff, SQLITE_READONLY);
        EXPECT_TRUE(e.text().contains(native("Tb0001Fin.DB"))) << e.text().toStdString();
        EXPECT_EQ(e.path(), QFileInfo(dir.filePath("Tb0001Fin.DB")).canonicalFilePath());
        expectReadable(e);
    }
    dm.db().exec("PRAGMA query_only=0");
}

TEST_F(Installed, AFullDiskNamesTheFile)
{
    Database &db = dm.db();
    const QString alias = db.aliasOf("Tb0001Fin.DB");
    const qint64 pages = db.scalar("PRAGMA " + quoteIdent(alias) + ".page_count").toLongLong();
    db.exec("PRAGMA " + quoteIdent(alias) + ".max_page_count=" + QString::number(pages));
    try {
        for (int i = 0; i < 2000; ++i)
            postEntry();
        FAIL() << "the page limit was never reached";
    } catch (const app::StorageError &e) {
        EXPECT_EQ(e.sqliteCode(), SQLITE_FULL);
        EXPECT_TRUE(e.text().startsWith("Não há espaço livre no disco para gravar no arquivo\r\n" +
                                        native("Tb0001Fin.DB")))
            << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("Libere espaço"));
        EXPECT_TRUE(e.detail().contains("database or disk is full"));
        expectReadable(e);
    }
}

TEST_F(Installed, AFileLockedByAnotherProgramNamesTheFile)
{
    Database &db = dm.db();
    db.setBusyTimeout(50);
    // Another program holds a write lock on the entries file.
    OtherProgramLock other(dir.filePath("Tb0001Fin.DB"), "BEGIN EXCLUSIVE");
    ASSERT_TRUE(other.held());
    try {
        postEntry();
        ADD_FAILURE() << "wrote into a locked file";
    } catch (const app::StorageError &e) {
        EXPECT_EQ(e.sqliteCode() & 0xff, SQLITE_BUSY);
        EXPECT_TRUE(e.text().startsWith("O arquivo\r\n" + native("Tb0001Fin.DB") +
                                        "\r\nestá bloqueado por outro programa."))
            << e.text().toStdString();
        EXPECT_TRUE(e.detail().contains("database is locked"));
        expectReadable(e);
    }
    other.release();
    dm.TbFin->cancel();
    // Once the other program lets go, the same post goes through.
    postEntry();
    EXPECT_EQ(dm.db().scalar("SELECT count(*) FROM " + dm.TbFin->sqlName()).toInt(), 6);
}

TEST_F(Installed, ACommitBlockedByAReaderNamesTheFileItWrites)
{
    Database &db = dm.db();
    db.setBusyTimeout(50);
    OtherProgramLock reader(dir.filePath("Tb0001Fin.DB"), "BEGIN; SELECT count(*) FROM Tabela;");
    ASSERT_TRUE(reader.held());
    try {
        Transaction tr(db);
        db.exec("DELETE FROM " + dm.TbFin->sqlName());
        tr.commit(); // "COMMIT" names no file: the one its transaction writes is named
        ADD_FAILURE() << "committed under a reader's lock";
    } catch (const app::StorageError &e) {
        EXPECT_EQ(e.sqliteCode() & 0xff, SQLITE_BUSY);
        EXPECT_TRUE(e.text().contains(native("Tb0001Fin.DB"))) << e.text().toStdString();
        EXPECT_TRUE(e.detail().contains("COMMIT"));
    }
    reader.release();
}

TEST_F(Installed, AFileOfGarbageIsDamagedAndNamed)
{
    dm.CloseUserFiles();
    QFile f(dir.filePath("Tb0001Cta.DB"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, '\x5a'));
    f.close();
    try {
        dm.TbCta->open();
        FAIL() << "opened a file of garbage";
    } catch (const app::StorageError &e) {
        EXPECT_EQ(e.sqliteCode(), SQLITE_NOTADB);
        EXPECT_TRUE(
            e.text().startsWith("O arquivo\r\n" + native("Tb0001Cta.DB") + "\r\nestá danificado"))
            << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("cópia de segurança"));
        EXPECT_TRUE(e.detail().contains("file is not a database"));
        expectReadable(e);
    }
    // The connection goes on with the other files.
    dm.TbFin->open();
    EXPECT_EQ(dm.db().scalar("SELECT count(*) FROM " + dm.TbFin->sqlName()).toInt(), 5);
}

TEST_F(Installed, ADamagedPageIsDamagedAndNamed)
{
    dm.CloseUserFiles();
    // Page 1 (the header and the schema) stays; the pages of rows become garbage.
    QFile f(dir.filePath("Tb0001Cta.DB"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const qint64 size = f.size();
    ASSERT_GT(size, 4096);
    f.seek(4096);
    f.write(QByteArray(int(size - 4096), '\x7f'));
    f.close();
    try {
        dm.TbCta->open();
        dm.db().scalar("SELECT sum(length(Descricao)) FROM " + dm.TbCta->sqlName());
        FAIL() << "read a damaged file";
    } catch (const app::StorageError &e) {
        const int primary = e.sqliteCode() & 0xff;
        EXPECT_TRUE(primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) << e.sqliteCode();
        EXPECT_TRUE(e.text().contains(native("Tb0001Cta.DB"))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("danificado"));
        expectReadable(e);
    }
}

TEST_F(Installed, AnEmptyFileHoldsNoTableAndIsNamed)
{
    dm.CloseUserFiles();
    QFile f(dir.filePath("Tb0001Hsto.DB"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.close();
    try {
        dm.TbHsto->open();
        FAIL() << "opened a file without the table";
    } catch (const app::StorageError &e) {
        EXPECT_TRUE(
            e.text().startsWith("O arquivo\r\n" + native("Tb0001Hsto.DB") + "\r\nestá danificado"))
            << e.text().toStdString();
    }
}

TEST_F(Installed, DomainErrorsKeepTheirTexts)
{
    Table *t = dm.TbCta;
    t->append();
    t->setValue("CodCta", "0.01.01"); // the chart already has it
    t->setValue("Descricao", "Outra carteira");
    try {
        t->post();
        FAIL() << "a duplicate key was posted";
    } catch (const app::StorageError &e) {
        EXPECT_EQ(e.text(), "Violação de chave: já existe um registro com esta chave.");
        EXPECT_TRUE(e.detail().contains("UNIQUE constraint failed"));
    }
    t->cancel();
}

TEST(StorageErrorText, EachKindNamesTheFileInPortuguese)
{
    const QString file = "/home/ana/Quorvila/Dados/Tb0001Fin.DB";
    struct Case
    {
        int code;
        const char *words;
    };
    const Case cases[] = {
        {SQLITE_READONLY, "somente para leitura"},
        {SQLITE_READONLY_DIRECTORY, "somente para leitura"},
        {SQLITE_READONLY_DBMOVED, "movido, renomeado ou apagado"},
        {SQLITE_FULL, "espaço livre no disco"},
        {SQLITE_BUSY, "bloqueado por outro programa"},
        {SQLITE_LOCKED_SHAREDCACHE, "bloqueado por outro programa"},
        {SQLITE_CORRUPT, "danificado"},
        {SQLITE_CORRUPT_INDEX, "danificado"},
        {SQLITE_NOTADB, "danificado"},
        {SQLITE_CANTOPEN, "Não foi possível abrir o arquivo"},
        {SQLITE_IOERR_WRITE, "Erro de leitura ou gravação no disco"},
        {SQLITE_IOERR_FSYNC, "Erro de leitura ou gravação no disco"},
        {SQLITE_ERROR, "Não foi possível concluir a operação no arquivo"},
    };
    for (const Case &c : cases) {
        const QString text = sqliteErrorText(c.code, {file});
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(file))) << c.code;
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.words))) << c.code << text.toStdString();
    }
    // Several files, none known, a staging file shown under its final name.
    EXPECT_TRUE(sqliteErrorText(SQLITE_BUSY, {file, "/d/TbCfg.DB"}).startsWith("Os arquivos\r\n"));
    EXPECT_TRUE(
        sqliteErrorText(SQLITE_FULL, {}, "/d").contains("um arquivo da pasta de dados\r\n/d"));
    EXPECT_TRUE(sqliteErrorText(SQLITE_FULL, {"/d/TbCfg.DB.new"}).contains("/d/TbCfg.DB\r\n"));
}

TEST(StorageErrorText, SystemErrorsOfFilesUseTheSameWords)
{
    EXPECT_TRUE(fileError(ENOSPC, "/d/TbUser.DB.new", "fsync").text().contains("espaço livre"));
    EXPECT_TRUE(fileError(EROFS, "/d/TbUser.DB", "rename").text().contains("somente para leitura"));
    const app::StorageError e = fileError(EIO, "/d/TbUser.DB", "fsync");
    EXPECT_TRUE(e.text().contains("/d/TbUser.DB"));
    EXPECT_TRUE(e.detail().contains("fsync"));
}

} // namespace
