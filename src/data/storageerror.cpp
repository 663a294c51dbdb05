#include "storageerror.h"

#include <QDir>

#include <cerrno>
#include <cstring>

#include <sqlite3.h>

namespace data {

QString displayPath(const QString &path)
{
    QString p = path;
    if (p.endsWith(".DB.new", Qt::CaseInsensitive))
        p.chop(4);
    return QDir::toNativeSeparators(p);
}

namespace {

// "o arquivo\r\n<path>" or, with several, each on its line; with none, the data folder.
struct Target
{
    QString lines; // the file names, one per line
    bool several;  // more than one file
    bool folder;   // no file known: `lines` is the data folder
};

Target targetOf(const QStringList &files, const QString &dirDados)
{
    QStringList shown;
    for (const QString &f : files) {
        const QString d = displayPath(f);
        if (!f.isEmpty() && !shown.contains(d))
            shown << d;
    }
    if (shown.isEmpty())
        return {dirDados.isEmpty() ? QString("(pasta de dados)") : displayPath(dirDados), false,
                true};
    constexpr int kShown = 3;
    if (shown.size() > kShown) {
        const auto more = shown.size() - kShown;
        shown = shown.mid(0, kShown);
        shown << QString("(e mais %1)").arg(more);
    }
    return {shown.join("\r\n"), shown.size() > 1, false};
}

} // namespace

QString sqliteErrorText(int code, const QStringList &files, const QString &dirDados)
{
    const Target t = targetOf(files, dirDados);
    const bool n = t.several;
    // The file's noun in its three uses: "o arquivo" / "os arquivos" / "um arquivo da pasta".
    const QString oArquivo = t.folder ? "um arquivo da pasta de dados"
                             : n      ? "os arquivos"
                                      : "o arquivo";
    const QString noArquivo = t.folder ? "em um arquivo da pasta de dados"
                              : n      ? "nos arquivos"
                                       : "no arquivo";
    const QString OArquivo = t.folder ? "Um arquivo da pasta de dados"
                             : n      ? "Os arquivos"
                                      : "O arquivo";
    const QString esta = n ? "estão" : "está";
    const QString nl = "\r\n";
    // "O arquivo / <path> / está ..." and "Não foi possível ... no arquivo / <path> / / ...".
    const QString subject = OArquivo + nl + t.lines + nl;
    const QString object = nl + t.lines + nl + nl;
    const QString memoria = "Memória insuficiente para concluir a operação." + nl +
                            "Feche outros programas e repita a operação.";

    if (code == SQLITE_READONLY_DBMOVED)
        return subject +
               (n ? "foram movidos, renomeados ou apagados" : "foi movido, renomeado ou apagado") +
               " enquanto o programa o usava." + nl + nl + "Feche o programa e abra-o de novo.";
    if (code == SQLITE_IOERR_NOMEM)
        return memoria;
    switch (code & 0xff) {
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return "Não foi possível gravar " + noArquivo + object +
               "O arquivo ou a pasta de dados está somente para leitura." + nl +
               "Verifique se a pasta permite gravação (e se o disco não está" + nl +
               "protegido contra gravação) e repita a operação.";
    case SQLITE_FULL:
        return "Não há espaço livre no disco para gravar " + noArquivo + object +
               "A alteração não foi gravada." + nl + "Libere espaço no disco e repita a operação.";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_PROTOCOL:
        return subject + esta + (n ? " bloqueados" : " bloqueado") + " por outro programa." + nl +
               nl + "Feche o programa que o está usando (outra cópia do Quorvila, um" + nl +
               "programa de cópia de segurança ou de sincronização) e repita a operação.";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return subject + esta +
               (n ? " danificados ou não são arquivos" : " danificado ou não é um arquivo") +
               " de dados do Quorvila." + nl + nl + (n ? "Restaure-os" : "Restaure-o") +
               " a partir de uma cópia de segurança.";
    case SQLITE_CANTOPEN:
        return "Não foi possível abrir " + oArquivo + object +
               "Verifique se a pasta de dados existe e permite gravação, e se o" + nl +
               "arquivo não está aberto em outro programa.";
    case SQLITE_IOERR:
        return "Erro de leitura ou gravação no disco ao usar " + oArquivo + object +
               "Verifique o disco (ou a unidade removível ou de rede onde está a" + nl +
               "pasta de dados) e repita a operação.";
    case SQLITE_NOMEM:
        return memoria;
    default:
        return "Não foi possível concluir a operação " + noArquivo + object +
               "Os detalhes técnicos estão em \"Detalhes\".";
    }
}

app::StorageError sqliteError(int code, const QString &sqliteMessage, const QString &sql,
                              const QStringList &files, const QString &dirDados)
{
    // SQLite's message, its code, and the code's generic words when they add anything.
    const QString generic = QString::fromUtf8(sqlite3_errstr(code));
    QString detail = sqliteMessage + QString(" (SQLite %1").arg(code) +
                     (sqliteMessage.startsWith(generic) ? QString(")") : ": " + generic + ")");
    for (const QString &f : files)
        detail += "\r\nArquivo: " + QDir::toNativeSeparators(f);
    if (!sql.isEmpty()) {
        constexpr int kMaxSql = 2000;
        detail += "\r\n" + (sql.size() > kMaxSql ? sql.left(kMaxSql) + " [...]" : sql);
    }
    return app::StorageError(sqliteErrorText(code, files, dirDados), detail, code, files.value(0),
                             __FILE__, __LINE__);
}

app::StorageError fileError(int err, const QString &path, const QString &what)
{
    int code = SQLITE_IOERR;
    switch (err) {
    case EROFS:
    case EACCES:
    case EPERM:
        code = SQLITE_READONLY;
        break;
    case ENOSPC:
    case EDQUOT:
        code = SQLITE_FULL;
        break;
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
        code = SQLITE_CANTOPEN;
        break;
    case EBUSY:
    case ETXTBSY:
        code = SQLITE_BUSY;
        break;
    default:
        break;
    }
    const QString detail = what + ": " + QString::fromLocal8Bit(std::strerror(err)) +
                           QString(" (errno %1)").arg(err) +
                           "\r\nArquivo: " + QDir::toNativeSeparators(path);
    return app::StorageError(sqliteErrorText(code, {path}), detail, 0, path, __FILE__, __LINE__);
}

app::StorageError damagedFileError(const QString &path, const QString &detail)
{
    return app::StorageError(sqliteErrorText(SQLITE_NOTADB, {path}), detail, 0, path, __FILE__,
                             __LINE__);
}

} // namespace data
