#include "datalocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace app {

static QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString installedShareDir(const QString &appDir)
{
    // The relative path from the installed bin folder to share/quorvila, fixed when configuring,
    // so a DESTDIR staging tree and a relocated prefix find it as /usr does.
    return QDir::cleanPath(appDir + '/' + QStringLiteral(QUORVILA_SHARE_FROM_BIN));
}

static QString optionRefusal(const QFileInfo &fi, const QString &dir)
{
    if (fi.exists() && !fi.isDir())
        return "O caminho indicado em --dados não é uma pasta:\r\n" + native(dir) +
               "\r\n\r\nIndique a pasta onde ficam (ou ficarão) os dados.";
    if (!fi.exists())
        return "A pasta de dados indicada em --dados não foi encontrada:\r\n" + native(dir) +
               "\r\n\r\nCrie a pasta antes de usá-la, ou verifique o nome digitado.";
    return {};
}

DataLocation locateData(const QString &appDir, const QString &dadosOption,
                        const QString &perUserDir)
{
    DataLocation loc;
    const QString beside = QDir::cleanPath(appDir + "/Dados");
    const QString installed = installedShareDir(appDir) + "/TbInfo.DB";
    if (!dadosOption.isEmpty()) {
        const QFileInfo fi(dadosOption);
        loc.dir = QDir::cleanPath(fi.absoluteFilePath());
        loc.refusal = optionRefusal(fi, loc.dir);
    } else if (QFileInfo(beside).isDir() || !QFileInfo::exists(installed)) {
        loc.dir = beside;
    } else if (perUserDir.isEmpty()) {
        loc.refusal = "Não foi possível determinar a pasta de dados do usuário.\r\n\r\n"
                      "Verifique se a variável HOME está definida, ou indique a pasta\r\n"
                      "com --dados.";
        return loc;
    } else {
        loc.dir = QDir::cleanPath(perUserDir);
        loc.perUser = true;
    }
    for (const QString &candidate : {loc.dir + "/TbInfo.DB", beside + "/TbInfo.DB", installed}) {
        if (QFileInfo(candidate).isFile()) {
            loc.infoBase = QDir::cleanPath(candidate);
            break;
        }
    }
    return loc;
}

QString perUserDataDir()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return base.isEmpty() ? QString() : base + "/Dados";
}

static QString mkdirReason(int err, const QString &path)
{
    switch (err) {
    case EACCES:
    case EPERM:
        return "Sem permissão para criar a pasta\r\n" + native(path) + '.';
    case EROFS:
        return "O disco onde ela ficaria só permite leitura.";
    case ENOSPC:
    case EDQUOT:
        return "Não há espaço no disco.";
    case ENAMETOOLONG:
        return "O nome da pasta é longo demais.";
    default:
        return "Erro do sistema: " + QString::fromLocal8Bit(std::strerror(err)) + '.';
    }
}

static QString makeDirText(const QString &dir, const QString &reason)
{
    return "Não foi possível criar a pasta de dados\r\n" + native(dir) + "\r\n\r\n" + reason +
           "\r\n\r\nO programa guarda nessa pasta os dados de cada usuário. Verifique\r\n"
           "se a pasta acima dela permite gravação e se há espaço no disco.";
}

QString makeDataDir(const QString &dir)
{
    // The missing folders, innermost first; the first one that exists must be a folder.
    QStringList missing;
    QString existing = QDir::cleanPath(dir);
    while (!QFileInfo::exists(existing)) {
        missing.prepend(existing);
        existing = QFileInfo(existing).path();
    }
    if (!QFileInfo(existing).isDir())
        return makeDirText(dir, "Já existe um arquivo com o nome\r\n" + native(existing) +
                                    "\r\nno lugar de uma pasta.");
    for (qsizetype i = 0; i < missing.size(); ++i) {
        if (::mkdir(QFile::encodeName(missing[i]).constData(), 0700) != 0) {
            const int err = errno;
            // Nothing is left half-made: the folders made so far go again, innermost first.
            for (qsizetype j = i - 1; j >= 0; --j)
                QDir().rmdir(missing[j]);
            return makeDirText(dir, mkdirReason(err, missing[i]));
        }
    }
    return {};
}

} // namespace app
