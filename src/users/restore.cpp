#include "restore.h"

#include "backup.h"

#include <app/error.h>
#include <data/UDM.h>
#include <data/filebatch.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <sqlite3.h>

#include <set>

namespace users {

namespace {

std::function<void(int)> &stepHook()
{
    static std::function<void(int)> hook;
    return hook;
}

struct Folders
{
    QString data, staging, safety;
    explicit Folders(const QString &dirDados)
        : data(dirDados), staging(dirDados + '/' + kStagingFolder),
          safety(dirDados + '/' + kSafetyFolder)
    {
    }
    QString record() const { return staging + '/' + kRestoreRecord; }
};

struct SwapRecord
{
    QStringList oldNames; // moved aside when present (with their journals)
    QStringList newNames; // moved in from the staging folder
};

const char *const kRecordEnd = "fim";

[[noreturn]] void refuse(const QString &path)
{
    throw BackupError(BackupError::Kind::NotABackup,
                      QDir::toNativeSeparators(path) + "\r\n" +
                          "Este não é um arquivo de Backup Quorvila!",
                      __FILE__, __LINE__);
}

struct Sqlite
{
    sqlite3 *db = nullptr;
    ~Sqlite() { sqlite3_close_v2(db); }
};

// The first column of every row of `sql` on the database file `path`, opened read-only; nothing
// when the file is no database or the statement fails.
std::optional<QStringList> column(const QString &path, const char *sql)
{
    Sqlite c;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &c.db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK)
        return std::nullopt;
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(c.db, sql, -1, &st, nullptr) != SQLITE_OK)
        return std::nullopt;
    QStringList out;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return out;
}

void verifyStaged(const QString &dir, const QStringList &names, const QString &path)
{
    for (const QString &n : names) {
        const QString f = dir + '/' + n;
        const auto table = column(f, "SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                     "name = 'Tabela'");
        const auto check = column(f, "PRAGMA integrity_check");
        if (!table || table->size() != 1 || !check || *check != QStringList{"ok"})
            refuse(path);
    }
}

// A general backup's TbUser lists exactly the users whose files it holds.
void verifyUsers(const QString &dir, const QStringList &names, const QString &path)
{
    const auto cods = column(dir + "/TbUser.DB", "SELECT Cod FROM Tabela");
    if (!cods)
        refuse(path);
    std::set<QString> listed, present;
    for (const QString &c : *cods)
        listed.insert(data::catalogue::codUsuario(c.toInt()));
    for (const QString &n : names)
        if (n != "TbCfg.DB" && n != "TbUser.DB")
            present.insert(n.mid(2, 4));
    if (listed != present || int(listed.size()) != cods->size())
        refuse(path);
}

void writeRecord(const Folders &f, const SwapRecord &r)
{
    QSaveFile out(f.record());
    const QByteArray text = ("antigos\n" + r.oldNames.join('\n') + "\nnovos\n" +
                             r.newNames.join('\n') + '\n' + kRecordEnd + '\n')
                                .toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        QUORVILA_THROW(app::StorageError, "Erro ao gravar " + QDir::toNativeSeparators(f.record()) +
                                              ": " + out.errorString());
    data::flushFile(f.staging);
}

std::optional<SwapRecord> readRecord(const Folders &f)
{
    QFile in(f.record());
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(in.readAll()).split('\n');
    // A record without its last line was never committed (QSaveFile makes this unlikely; the
    // check keeps a torn record from being acted on).
    if (lines.size() < 4 || lines.first() != "antigos" ||
        lines.value(lines.size() - 2) != kRecordEnd)
        return std::nullopt;
    SwapRecord r;
    QStringList *into = &r.oldNames;
    for (qsizetype i = 1; i < lines.size() - 2; ++i) {
        if (lines[i] == "novos")
            into = &r.newNames;
        else if (!lines[i].isEmpty())
            *into << lines[i];
    }
    return r;
}

int g_step = 0; // the renames of one swap, for the step hook

void step()
{
    if (stepHook())
        stepHook()(g_step++);
}

void moveAside(const Folders &f, const QString &n)
{
    step();
    data::renameNoReplace(f.data + '/' + n, f.safety + '/' + n);
}

void moveIn(const Folders &f, const QString &n)
{
    step();
    data::renameNoReplace(f.staging + '/' + n, f.data + '/' + n);
}

void clean(const Folders &f)
{
    data::removeFile(f.record());
    data::flushFile(f.staging);
    QDir(f.safety).removeRecursively();
    QDir(f.staging).removeRecursively();
}

// With the record in place, finishes the swap from wherever it stopped: an old name still in
// the data folder is moved aside unless it is a new file already moved in (a new name no longer
// staged); then every staged file moves in.
void rollForward(const Folders &f, const SwapRecord &r)
{
    QDir().mkpath(f.safety);
    for (const QString &n : r.oldNames) {
        const bool isNewInPlace = r.newNames.contains(n) && !QFile::exists(f.staging + '/' + n);
        if (QFile::exists(f.data + '/' + n) && !isNewInPlace)
            moveAside(f, n);
    }
    for (const QString &n : r.newNames)
        if (QFile::exists(f.staging + '/' + n))
            moveIn(f, n);
    data::flushFile(f.data);
    clean(f);
}

void swap(const Folders &f, const SwapRecord &r)
{
    QStringList aside, in;
    g_step = 0;
    try {
        if (!QDir().mkpath(f.safety))
            QUORVILA_THROW(app::StorageError, QDir::toNativeSeparators(f.safety));
        for (const QString &n : r.oldNames)
            if (QFile::exists(f.data + '/' + n)) {
                moveAside(f, n);
                aside << n;
            }
        data::flushFile(f.safety);
        for (const QString &n : r.newNames) {
            moveIn(f, n);
            in << n;
        }
        data::flushFile(f.data);
    } catch (const std::exception &e) {
        // The old files go back; the record stays until they are, so a kill meanwhile is
        // finished forward at the next start instead of leaving a mixture.
        qWarning("restore: swap failed (%s), moving the old files back", e.what());
        for (const QString &n : in)
            data::renameNoReplace(f.data + '/' + n, f.staging + '/' + n);
        for (const QString &n : aside)
            data::renameNoReplace(f.safety + '/' + n, f.data + '/' + n);
        data::flushFile(f.data);
        clean(f);
        throw;
    }
    clean(f);
}

ExtractedBackup stage(const Folders &f, const QString &path, const NameRule &rule,
                      const std::function<int(const BackupHeader &)> &count,
                      const Progress &progress)
{
    recoverInterruptedRestore(f.data);
    QDir(f.staging).removeRecursively();
    if (!QDir().mkpath(f.staging))
        QUORVILA_THROW(app::StorageError, QDir::toNativeSeparators(f.staging));
    try {
        ExtractedBackup x = extractBackup(path, f.staging, rule, count, progress);
        verifyStaged(f.staging, x.names, path);
        if (x.header.general())
            verifyUsers(f.staging, x.names, path);
        for (const QString &n : x.names)
            data::flushFile(f.staging + '/' + n);
        data::flushFile(f.staging);
        return x;
    } catch (...) {
        QDir(f.staging).removeRecursively();
        throw;
    }
}

QStringList withJournals(const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << n << n + "-journal";
    return out;
}

void closeForSwap(data::TDM &dm, const QStringList &files, bool shared)
{
    for (data::Query *q : {dm.QrFinPesq, dm.QrFinProx, dm.QrBensPesq})
        q->close();
    for (data::Table *t : dm.userTableSet())
        t->close();
    if (shared) {
        dm.TbCfg->close();
        dm.TbUser->close();
    }
    // A file still attached would keep the old file open under the new one's name.
    for (const QString &n : files)
        if (dm.db().isAttached(n))
            QUORVILA_THROW(app::Error, "O arquivo " + n + " ainda está em uso.");
}

// Closes the tables over the files to replace, writes the commit record and swaps; before the
// record exists a failure only removes the staging folder.
void commitAndSwap(data::TDM &dm, const Folders &f, const SwapRecord &r, bool shared)
{
    try {
        closeForSwap(dm, r.oldNames, shared);
        writeRecord(f, r);
    } catch (...) {
        QDir(f.staging).removeRecursively();
        throw;
    }
    swap(f, r);
}

} // namespace

QString generalOfferedToUserText(const QString &path)
{
    return QDir::toNativeSeparators(path) + "\r\n\r\n" + "Este arquivo contém um backup geral" +
           "\r\n" + "do sistema Quorvila. Para restaurá-lo, use a opção" + "\r\n" +
           "Usuários/Gerenciar Usuários/Backup Geral!";
}

QString userOfferedToGeneralText(const QString &path)
{
    return QDir::toNativeSeparators(path) + "\r\n\r\n" +
           "Este arquivo contém o Backup de um usuário," + "\r\n" +
           "e não um Backup Geral do sistema Quorvila." + "\r\n\r\n" +
           "Para restaurar este arquivo, use a opção" + "\r\n" +
           "Usuários/Backup e Reindexação dos Dados!";
}

BackupHeader checkGeneralBackup(const QString &path)
{
    BackupHeader h = readBackupHeader(path);
    if (!h.general())
        throw BackupError(BackupError::Kind::NotABackup, userOfferedToGeneralText(path), __FILE__,
                          __LINE__);
    return h;
}

BackupHeader checkUserBackup(const QString &path)
{
    BackupHeader h = readBackupHeader(path);
    if (h.general())
        throw BackupError(BackupError::Kind::NotABackup, generalOfferedToUserText(path), __FILE__,
                          __LINE__);
    return h;
}

void restoreGeneral(data::TDM &dm, const QString &path, const Progress &progress)
{
    checkGeneralBackup(path);
    const Folders f(dm.DirDados());
    const ExtractedBackup x = stage(f, path, generalNameRule(), generalFileCount, progress);
    QStringList old = generalBackupNames(userCodes(dm));
    for (const QString &n : x.names)
        if (!old.contains(n))
            old << n;
    commitAndSwap(dm, f, {withJournals(old), x.names}, true);
}

void restoreUser(data::TDM &dm, const QString &path, const Progress &progress)
{
    const BackupHeader h = checkUserBackup(path);
    const QString cod = dm.CodUsuario();
    const Folders f(dm.DirDados());
    const ExtractedBackup x = stage(f, path, userNameRule(h.kind, cod), userFileCount, progress);
    commitAndSwap(dm, f, {withJournals(userBackupNames(cod)), x.names}, false);

    data::Table *u = dm.TbUser;
    if (!u->locate("Cod", cod.toInt()))
        QUORVILA_THROW(app::Error, "Usuário " + cod + " não encontrado.");
    const auto opt = [](std::optional<int> v) {
        return v ? QVariant(*v) : QVariant();
    };
    const auto date = [](const QDate &d) {
        return d.isValid() ? QVariant(d) : QVariant();
    };
    u->edit();
    u->setValue("FechadoAte", date(h.fechadoAte));
    u->setValue("DtMin", date(h.dtMin));
    u->setValue("Cta0OFX", opt(h.cta0));
    u->setValue("Cta1OFX", opt(h.cta1));
    u->setValue("Cta2OFX", opt(h.cta2));
    u->post();
}

bool recoverInterruptedRestore(const QString &dirDados)
{
    const Folders f(dirDados);
    if (const std::optional<SwapRecord> r = readRecord(f)) {
        qWarning("finishing a restore that was interrupted");
        rollForward(f, *r);
        return true;
    }
    QDir(f.staging).removeRecursively();
    QDir(f.safety).removeRecursively();
    return false;
}

void setRestoreStepHook(std::function<void(int)> hook)
{
    stepHook() = std::move(hook);
}

} // namespace users
