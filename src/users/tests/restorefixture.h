// An installation with user 0001 signed in, and what the backup and restore tests compare: every
// table file's rows, read through a connection of their own. Shared by restore_test and the kill
// test.
#pragma once

#include <data/UDM.h>
#include <data/catalogue.h>
#include <data/filebatch.h>
#include <data/newuserdata.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <map>

// Every row of a table file, one text per row; "(ausente)" when the file is not there.
inline QStringList tableRows(const QString &path)
{
    if (!QFile::exists(path))
        return {"(ausente)"};
    sqlite3 *db = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT * FROM Tabela ORDER BY rowid", -1, &st, nullptr) ==
            SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                QStringList cells;
                for (int i = 0; i < sqlite3_column_count(st); ++i)
                    cells << QString::fromUtf8(
                        reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
                rows << cells.join('|');
            }
        } else {
            rows << "(sem tabela)";
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return rows;
}

inline void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &f : QDir(from).entryList(QDir::Files | QDir::Hidden))
        QFile::copy(from + '/' + f, to + '/' + f);
}

struct RestoreBook
{
    QTemporaryDir dir;
    data::TDM dm;

    void install()
    {
        dm.DataModuleCreate(dir.filePath("Dados"), dir.path());
        QDir().mkpath(dm.DirDados());
        data::installFirstRun(dm.db(), QDate(2026, 12, 10));
        reopen();
    }
    void closeAll()
    {
        dm.CloseUserFiles();
        for (data::Table *t : dm.userTableSet())
            t->close();
        dm.TbCfg->close();
        dm.TbUser->close();
    }
    void reopen()
    {
        closeAll();
        dm.openSharedTables();
        signIn("0001");
    }
    void signIn(const QString &cod)
    {
        dm.CloseUserFiles();
        dm.pointUserTables(cod);
        dm.OpenUserFiles();
        dm.TbUser->locate("Cod", cod.toInt());
    }
    // A user with the starting data, as the user editor makes one.
    void addUser(int cod, const QString &nome)
    {
        const QString c = data::catalogue::codUsuario(cod);
        {
            data::FileBatch batch(dm.db());
            data::CriarArquivos(batch, c);
            data::CopiarTabelasAuxiliaresQuorvila(batch, c);
            batch.commit();
        }
        dm.TbUser->append();
        dm.TbUser->setValue("Cod", cod);
        dm.TbUser->setValue("Nome", nome);
        dm.TbUser->post();
    }
    void addEntry(const QString &cod, qint64 centavos)
    {
        data::AttachGuard fin(dm.db(), data::catalogue::userFileName(cod, "Fin"));
        dm.db().exec("INSERT INTO " + fin.table() +
                         " (Data, CtaDeb, CtaCred, Valor, Hsto) VALUES ('2026-12-01', 11, 111, ?, "
                         "'TESTE')",
                     {centavos});
    }
    QStringList tableContents(const QString &name) const
    {
        return tableRows(dm.DirDados() + '/' + name);
    }
    // Every table file of the folder with a digest of its rows: what a restore must keep or
    // replace whole.
    std::map<std::string, std::string> folderContents() const { return contentsOf(dm.DirDados()); }
    static std::map<std::string, std::string> contentsOf(const QString &dir)
    {
        std::map<std::string, std::string> out;
        for (const QString &f : QDir(dir).entryList({"*.DB"}, QDir::Files)) {
            const QByteArray rows = tableRows(dir + '/' + f).join('\n').toUtf8();
            out[f.toStdString()] =
                QCryptographicHash::hash(rows, QCryptographicHash::Sha1).toHex().toStdString();
        }
        return out;
    }
};

struct RestoreFixture : ::testing::Test, RestoreBook
{
    void SetUp() override { install(); }
};
