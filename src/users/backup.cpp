#include "backup.h"

#include <app/dates.h>
#include <data/UDM.h>
#include <data/catalogue.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <memory>

namespace users {

using data::catalogue::userFileName;

namespace {

const char *const kAccessGeneral = "Erro! Não foi possível acessar todos\r\nos arquivos de dados "
                                   "do programa.\r\n\r\nBackup Geral cancelado!";
const char *const kAccessUser =
    "Erro! Não foi possível acessar todos\r\nos arquivos do usuário. Backup cancelado!";
const char *const kWriteFailed = "Erro! Não foi possível gerar o Backup!";

QString suffixAlternatives()
{
    QStringList s;
    for (const data::catalogue::UserTable &t : data::catalogue::userTables())
        s << QRegularExpression::escape(t.suffix);
    return s.join('|');
}

struct Sqlite
{
    sqlite3 *db = nullptr;
    ~Sqlite() { sqlite3_close_v2(db); }
};

// One file through the online backup API: a consistent copy even while another connection of
// this process (or another) has it open.
void snapshot(const QString &from, const QString &to)
{
    Sqlite src, dst;
    const QByteArray f = QFile::encodeName(from), t = QFile::encodeName(to);
    if (sqlite3_open_v2(f.constData(), &src.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_open_v2(t.constData(), &dst.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        throw BackupError(BackupError::Kind::Io, QDir::toNativeSeparators(from), __FILE__,
                          __LINE__);
    sqlite3_busy_timeout(src.db, 2000);
    sqlite3_backup *b = sqlite3_backup_init(dst.db, "main", src.db, "main");
    int rc = b ? sqlite3_backup_step(b, -1) : sqlite3_errcode(dst.db);
    const int fin = b ? sqlite3_backup_finish(b) : SQLITE_OK;
    if (rc == SQLITE_DONE)
        rc = fin;
    // An empty or foreign file "opens" read-only; only a real database has a page 1.
    if (rc != SQLITE_OK || sqlite3_exec(src.db, "SELECT count(*) FROM sqlite_master", nullptr,
                                        nullptr, nullptr) != SQLITE_OK)
        throw BackupError(BackupError::Kind::Io,
                          QDir::toNativeSeparators(from) + ": " + sqlite3_errmsg(src.db), __FILE__,
                          __LINE__);
}

void writeWithSnapshots(data::TDM &dm, const QString &target, const BackupHeader &h,
                        const QStringList &names, const char *accessText, const Progress &progress)
{
    QTemporaryDir snaps(dm.DirTemp() + "/quorvila-backup-XXXXXX");
    std::vector<BackupItem> items;
    try {
        if (!snaps.isValid())
            throw BackupError(BackupError::Kind::Io, snaps.errorString(), __FILE__, __LINE__);
        items = snapshotTables(dm.DirDados(), names, snaps.path());
    } catch (const BackupError &e) {
        qWarning("backup: %s", qPrintable(e.text()));
        throw BackupError(BackupError::Kind::Io, accessText, __FILE__, __LINE__);
    }
    try {
        writeBackup(target, h, items, progress);
    } catch (const BackupError &e) {
        qWarning("backup: %s", qPrintable(e.text()));
        throw BackupError(BackupError::Kind::Io, kWriteFailed, __FILE__, __LINE__);
    }
}

void stamp(BackupHeader &h, const QDateTime &now)
{
    h.date = app::formatDate(now.date());
    h.time = now.time().toString("hh:mm:ss");
}

std::optional<int> optInt(const data::Table &t, const char *field)
{
    return t.isNull(field) ? std::nullopt : std::optional<int>(int(t.asInt(field)));
}

} // namespace

QStringList userBackupNames(const QString &cod)
{
    QStringList names;
    for (const data::catalogue::UserTable &t : data::catalogue::userTables())
        names << userFileName(cod, t.suffix);
    return names;
}

QStringList generalBackupNames(const QStringList &codes)
{
    QStringList names;
    for (const QString &c : codes)
        names << userBackupNames(c);
    return names << "TbCfg.DB"
                 << "TbUser.DB";
}

QStringList userCodes(data::TDM &dm)
{
    QStringList codes;
    const data::Table &u = *dm.TbUser;
    const int cod = u.def().indexOf("Cod");
    for (int i = 0; i < u.recordCount(); ++i)
        codes << data::catalogue::codUsuario(int(u.recordAt(i).values.value(cod).toLongLong()));
    return codes;
}

NameRule generalNameRule()
{
    const QRegularExpression re("^Tb[0-9]{4}(" + suffixAlternatives() + ")\\.DB$");
    return [re](const QString &n) -> std::optional<QString> {
        if (n == "TbCfg.DB" || n == "TbUser.DB" || re.match(n).hasMatch())
            return n;
        return std::nullopt;
    };
}

int generalFileCount(const BackupHeader &h)
{
    return h.userCount * int(data::catalogue::userTables().size()) + 2;
}

NameRule userNameRule(const QString &kind, const QString &cod)
{
    const QRegularExpression re("^Tb" + QRegularExpression::escape(kind) + "(" +
                                suffixAlternatives() + ")\\.DB$");
    return [re, cod](const QString &n) -> std::optional<QString> {
        const QRegularExpressionMatch m = re.match(n);
        if (!m.hasMatch())
            return std::nullopt;
        return userFileName(cod, m.captured(1));
    };
}

int userFileCount(const BackupHeader &)
{
    return int(data::catalogue::userTables().size());
}

QString generalBackupFileName(const QDateTime &now)
{
    return "QuorvilaBackupGeral" + now.date().toString("dd") +
           app::dateVocabulary().shortMonthNames.value(now.date().month() - 1) +
           now.date().toString("yyyy") + "_" + now.time().toString("hhmmss") + ".KBF";
}

QString userBackupFileName(const QString &cod)
{
    return "QuorvilaBackupDoUsuario" + cod + ".KBF";
}

std::vector<BackupItem> snapshotTables(const QString &dirDados, const QStringList &names,
                                       const QString &snapDir)
{
    std::vector<BackupItem> items;
    for (const QString &n : names) {
        const QString from = dirDados + '/' + n;
        // SQLite would create a missing file; a backup of a table that is not there is refused.
        if (!QFile::exists(from))
            throw BackupError(BackupError::Kind::Io, QDir::toNativeSeparators(from), __FILE__,
                              __LINE__);
        const QString to = snapDir + '/' + n;
        snapshot(from, to);
        items.push_back({n, to});
    }
    return items;
}

void makeGeneralBackup(data::TDM &dm, const QString &target, const QDateTime &now,
                       const Progress &progress)
{
    const QStringList codes = userCodes(dm);
    BackupHeader h;
    h.userCount = int(codes.size());
    stamp(h, now);
    writeWithSnapshots(dm, target, h, generalBackupNames(codes), kAccessGeneral, progress);
}

void makeUserBackup(data::TDM &dm, const QString &target, const QDateTime &now,
                    const Progress &progress)
{
    const data::Table &u = *dm.TbUser;
    BackupHeader h;
    h.kind = dm.CodUsuario();
    h.nome = u.asString("Nome");
    h.fechadoAte = u.asDate("FechadoAte");
    h.dtMin = u.asDate("DtMin");
    h.cta0 = optInt(u, "Cta0OFX");
    h.cta1 = optInt(u, "Cta1OFX");
    h.cta2 = optInt(u, "Cta2OFX");
    stamp(h, now);
    writeWithSnapshots(dm, target, h, userBackupNames(dm.CodUsuario()), kAccessUser, progress);
}

} // namespace users
