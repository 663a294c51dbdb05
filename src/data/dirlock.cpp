#include "dirlock.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace data {

DirLock::DirLock(const QString &dirDados)
    : m_dir(dirDados), m_path(QDir(dirDados).absoluteFilePath(kFileName))
{
}

DirLock::~DirLock()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
    }
}

DirLock::Result DirLock::tryLock()
{
    if (m_fd >= 0)
        return Result::Locked;
    m_errorText.clear();
    m_errorDetail.clear();
    // Close-on-exec: a program started from this one must not keep the folder locked.
    const int fd =
        ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        failed(errno, "open");
        return Result::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK)
            return Result::InUse;
        failed(err, "flock");
        return Result::Failed;
    }
    m_fd = fd;
    // Who holds it, for whoever looks at the file; the lock itself is the flock.
    const QByteArray who =
        QByteArray::number(qint64(::getpid())) + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    // Not needed for the lock: a full disk still lets the program start and say so later.
    if (::ftruncate(fd, 0) == 0) {
        const ssize_t written = ::write(fd, who.constData(), size_t(who.size()));
        (void)written;
    }
    return Result::Locked;
}

void DirLock::failed(int err, const char *what)
{
    QString reason;
    switch (err) {
    case EACCES:
    case EPERM:
        reason = "Não há permissão para gravar nessa pasta.";
        break;
    case EROFS:
        reason = "A pasta está em um disco somente para leitura.";
        break;
    case ENOSPC:
    case EDQUOT:
        reason = "Não há espaço livre no disco.";
        break;
    case ENOENT:
    case ENOTDIR:
        reason = "A pasta não existe.";
        break;
    case EISDIR:
        reason = QString("Já existe nela uma pasta com o nome \"") + kFileName + "\".";
        break;
    case ENOLCK:
    case EOPNOTSUPP:
    case ENOSYS:
        reason = "O disco (ou a unidade de rede) onde ela está não permite bloquear arquivos.";
        break;
    default:
        reason = "Erro do sistema: " + QString::fromLocal8Bit(std::strerror(err)) + ".";
    }
    m_errorText = "Não foi possível criar o arquivo de controle de uso\r\n\"" + QString(kFileName) +
                  "\" na pasta de dados\r\n" + QDir::toNativeSeparators(m_dir) + "\r\n\r\n" +
                  reason + "\r\n\r\n" +
                  "O programa precisa gravar nessa pasta. Verifique se ela existe,\r\n" +
                  "se permite gravação e se há espaço no disco.";
    m_errorDetail = QString(what) + "(" + QDir::toNativeSeparators(m_path) +
                    "): " + QString::fromLocal8Bit(std::strerror(err)) +
                    QString(" (errno %1)").arg(err);
}

} // namespace data
