#include "backupfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <zlib.h>

#include <memory>
#include <set>

namespace users {

namespace {

constexpr int kGeneralHeaderSize = 44;
constexpr int kUserHeaderSize = 114;
// Lengths read from a file are bounded before anything is allocated or trusted: a header is one
// of two sizes (a newer version's may be longer, so up to this many bytes are read to say so),
// a stored name is a bare table file name, and no installation holds this many files.
constexpr quint32 kMaxHeaderRead = 4096;
constexpr quint32 kMaxNameSize = 64;
constexpr quint32 kMaxFileCount = 100000;
constexpr qsizetype kBlock = 64 * 1024;
const QDate kDayZero(1899, 12, 30);

[[noreturn]] void notABackup(const QString &path)
{
    throw BackupError(BackupError::Kind::NotABackup,
                      QDir::toNativeSeparators(path) + "\r\n" +
                          "Este não é um arquivo de Backup Quorvila!",
                      __FILE__, __LINE__);
}

[[noreturn]] void ioError(const QString &what)
{
    throw BackupError(BackupError::Kind::Io, what, __FILE__, __LINE__);
}

QByteArray cp1252(const QString &s)
{
    QStringEncoder enc("windows-1252", QStringConverter::Flag::Default);
    return enc.encode(s);
}

QString fromCp1252(const QByteArray &b)
{
    QStringDecoder dec("windows-1252");
    return dec.decode(b);
}

QString ddMMyyyy(const QDate &d)
{
    return (d.isValid() ? d : kDayZero).toString("ddMMyyyy");
}

QString digits(std::optional<int> v, int width)
{
    return v ? QString::number(*v).rightJustified(width, '0').right(width) : QString(width, ' ');
}

void putInt(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

bool allDigits(const QString &s)
{
    for (QChar c : s)
        if (c < '0' || c > '9')
            return false;
    return !s.isEmpty();
}

// ---------------------------------------------------------------- writing

struct Deflater
{
    z_stream z{};
    bool ready = false;
    QSaveFile &out;
    explicit Deflater(QSaveFile &f) : out(f)
    {
        ready = deflateInit(&z, Z_BEST_COMPRESSION) == Z_OK;
    }
    ~Deflater()
    {
        if (ready)
            deflateEnd(&z);
    }
    Deflater(const Deflater &) = delete;
    Deflater &operator=(const Deflater &) = delete;

    void write(const char *data, qsizetype size, int flush = Z_NO_FLUSH)
    {
        char buf[kBlock];
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
        z.avail_in = uInt(size);
        int rc;
        do {
            z.next_out = reinterpret_cast<Bytef *>(buf);
            z.avail_out = sizeof buf;
            rc = deflate(&z, flush);
            if (rc == Z_STREAM_ERROR)
                ioError("zlib: deflate");
            const qsizetype have = qsizetype(sizeof buf - z.avail_out);
            if (have > 0 && out.write(buf, have) != have)
                ioError(out.errorString());
        } while (z.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
    }
    void write(const QByteArray &b) { write(b.constData(), b.size()); }
};

// ---------------------------------------------------------------- reading

// Inflates a device block by block; read() gives fewer bytes than asked only at the stream's end.
class Inflater
{
public:
    Inflater(QIODevice &in, QString path) : m_in(in), m_path(std::move(path))
    {
        if (inflateInit(&m_z) != Z_OK)
            ioError("zlib: inflateInit");
    }
    ~Inflater() { inflateEnd(&m_z); }
    Inflater(const Inflater &) = delete;
    Inflater &operator=(const Inflater &) = delete;

    qsizetype read(char *dst, qsizetype n)
    {
        qsizetype got = 0;
        while (got < n && !m_ended) {
            if (m_z.avail_in == 0) {
                const qint64 r = m_in.read(m_buf, sizeof m_buf);
                if (r < 0)
                    notABackup(m_path);
                if (r == 0)
                    notABackup(m_path); // the file ends before the stream does
                m_z.next_in = reinterpret_cast<Bytef *>(m_buf);
                m_z.avail_in = uInt(r);
            }
            m_z.next_out = reinterpret_cast<Bytef *>(dst + got);
            m_z.avail_out = uInt(n - got);
            const int rc = inflate(&m_z, Z_NO_FLUSH);
            got = n - qsizetype(m_z.avail_out);
            if (rc == Z_STREAM_END)
                m_ended = true;
            else if (rc != Z_OK && rc != Z_BUF_ERROR)
                notABackup(m_path);
        }
        return got;
    }
    QByteArray readExact(qsizetype n)
    {
        QByteArray b(n, Qt::Uninitialized);
        if (read(b.data(), n) != n)
            notABackup(m_path);
        return b;
    }
    quint32 readInt()
    {
        const QByteArray b = readExact(4);
        quint32 v = 0;
        for (int i = 0; i < 4; ++i)
            v |= quint32(quint8(b[i])) << (8 * i);
        return v;
    }
    // True when the stream ended right here and the file holds nothing after it.
    bool atCleanEnd()
    {
        char c;
        if (read(&c, 1) != 0)
            return false;
        return m_z.avail_in == 0 && m_in.read(&c, 1) == 0;
    }

private:
    QIODevice &m_in;
    QString m_path;
    z_stream m_z{};
    char m_buf[kBlock];
    bool m_ended = false;
};

BackupHeader readHeader(Inflater &in, const QString &path)
{
    const quint32 size = in.readInt();
    if (size < 4 || size > kMaxHeaderRead)
        notABackup(path);
    const QByteArray text = in.readExact(qsizetype(size));
    if (text.left(4) != kBackupVersion) {
        if (allDigits(QString::fromLatin1(text.left(4))))
            throw BackupError(BackupError::Kind::OtherVersion,
                              QDir::toNativeSeparators(path) + "\r\n\r\n" +
                                  "Arquivo de Backup gerado em outra versão" + "\r\n" +
                                  " do Quorvila. Não é possível restaurá-lo!",
                              __FILE__, __LINE__);
        notABackup(path);
    }
    try {
        return decodeHeader(text);
    } catch (const BackupError &) {
        notABackup(path);
    }
}

// One file's content, copied to `sink` (may be null) block by block.
void copyContent(Inflater &in, quint32 size, QIODevice *sink, const QString &path,
                 const std::function<void(qint64)> &advanced)
{
    char buf[kBlock];
    qint64 left = size;
    while (left > 0) {
        const qsizetype n = qsizetype(std::min<qint64>(left, kBlock));
        if (in.read(buf, n) != n)
            notABackup(path);
        if (sink && sink->write(buf, n) != n)
            ioError(sink->errorString());
        left -= n;
        advanced(n);
    }
}

ExtractedBackup readAll(QIODevice &dev, const QString &path, const QString &dir,
                        const NameRule &rule,
                        const std::function<int(const BackupHeader &)> &expectedCount,
                        const Progress &progress)
{
    Inflater in(dev, path);
    ExtractedBackup out;
    out.header = readHeader(in, path);
    const quint32 count = in.readInt();
    if (count > kMaxFileCount || qint64(count) != expectedCount(out.header))
        notABackup(path);
    std::set<QString> seen;
    qint64 done = 0;
    for (quint32 i = 0; i < count; ++i) {
        const quint32 nameSize = in.readInt();
        if (nameSize == 0 || nameSize > kMaxNameSize)
            notABackup(path);
        const QString stored = fromCp1252(in.readExact(qsizetype(nameSize)));
        const std::optional<QString> target = rule(stored);
        if (!target || !seen.insert(target->toUpper()).second)
            notABackup(path);
        const quint32 size = in.readInt();
        if (done + size > out.header.totalSize)
            notABackup(path);
        std::unique_ptr<QFile> file;
        if (!dir.isEmpty()) {
            file = std::make_unique<QFile>(dir + '/' + *target);
            if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly))
                ioError(file->errorString());
        }
        qint64 shown = done;
        copyContent(in, size, file.get(), path, [&](qint64 n) {
            shown += n;
            if (progress)
                progress(shown, out.header.totalSize);
        });
        if (file && !file->flush())
            ioError(file->errorString());
        char mark;
        if (in.read(&mark, 1) != 1 || mark != 0)
            notABackup(path);
        done += size;
        out.names << *target;
    }
    if (done != out.header.totalSize || !in.atCleanEnd())
        notABackup(path);
    return out;
}

} // namespace

QByteArray encodeHeader(const BackupHeader &h)
{
    QString t = h.version.left(4).leftJustified(4, '0') + "00" + h.kind +
                QString::number(h.totalSize).rightJustified(12, '0');
    if (h.general())
        t += QString::number(h.userCount).rightJustified(4, '0').right(4) + h.date + h.time;
    else
        t += h.nome.left(50).leftJustified(50, ' ') + h.date + h.time + ddMMyyyy(h.fechadoAte) +
             ddMMyyyy(h.dtMin) + digits(h.cta0, 2) + digits(h.cta1, 3) + digits(h.cta2, 3);
    return cp1252(t);
}

BackupHeader decodeHeader(const QByteArray &bytes)
{
    const auto bad = [] {
        throw BackupError(BackupError::Kind::NotABackup, "cabeçalho inválido", __FILE__, __LINE__);
    };
    if (bytes.size() != kGeneralHeaderSize && bytes.size() != kUserHeaderSize)
        bad();
    const QString t = fromCp1252(bytes);
    BackupHeader h;
    h.version = t.left(4);
    h.kind = t.mid(6, 4);
    if (!allDigits(h.kind) || !allDigits(t.mid(10, 12)) ||
        (h.general() != (bytes.size() == kGeneralHeaderSize)))
        bad();
    h.totalSize = t.mid(10, 12).toLongLong();
    const auto date = [&](int at) {
        const QString s = t.mid(at, 8);
        const QDate d = QDate::fromString(s, "ddMMyyyy");
        if (!allDigits(s) || !d.isValid())
            bad();
        return d == kDayZero ? QDate() : d;
    };
    const auto cta = [&](int at, int width) -> std::optional<int> {
        const QString s = t.mid(at, width);
        if (s.trimmed().isEmpty())
            return std::nullopt;
        if (!allDigits(s))
            bad();
        return s.toInt();
    };
    int at = 22;
    if (h.general()) {
        if (!allDigits(t.mid(22, 4)))
            bad();
        h.userCount = t.mid(22, 4).toInt();
        at = 26;
    } else {
        h.nome = t.mid(22, 50).trimmed();
        at = 72;
    }
    h.date = t.mid(at, 10);
    h.time = t.mid(at + 10, 8);
    if (!QDate::fromString(h.date, "dd/MM/yyyy").isValid() ||
        !QTime::fromString(h.time, "hh:mm:ss").isValid())
        bad();
    if (!h.general()) {
        h.fechadoAte = date(90);
        h.dtMin = date(98);
        h.cta0 = cta(106, 2);
        h.cta1 = cta(108, 3);
        h.cta2 = cta(111, 3);
    }
    return h;
}

void writeBackup(const QString &target, BackupHeader h, const std::vector<BackupItem> &items,
                 const Progress &progress)
{
    std::vector<qint64> sizes;
    h.totalSize = 0;
    for (const BackupItem &it : items) {
        const QFileInfo fi(it.source);
        if (!fi.isFile() || fi.size() > qint64(0xffffffffu))
            ioError(QDir::toNativeSeparators(it.source));
        sizes.push_back(fi.size());
        h.totalSize += fi.size();
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        ioError(out.errorString());
    Deflater z(out);
    if (!z.ready)
        ioError("zlib: deflateInit");
    QByteArray head;
    const QByteArray text = encodeHeader(h);
    putInt(head, quint32(text.size()));
    head += text;
    putInt(head, quint32(items.size()));
    z.write(head);
    qint64 done = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const QByteArray name = cp1252(items[i].name);
        QByteArray entry;
        putInt(entry, quint32(name.size()));
        entry += name;
        putInt(entry, quint32(sizes[i]));
        z.write(entry);
        QFile in(items[i].source);
        if (!in.open(QIODevice::ReadOnly))
            ioError(in.errorString());
        char buf[kBlock];
        qint64 left = sizes[i];
        while (left > 0) {
            const qint64 r = in.read(buf, std::min<qint64>(left, kBlock));
            if (r <= 0)
                ioError(QDir::toNativeSeparators(items[i].source) + ": " + in.errorString());
            z.write(buf, qsizetype(r));
            left -= r;
            done += r;
            // Block by block: a large table never leaves the window without a repaint.
            if (progress)
                progress(done, h.totalSize);
        }
        z.write("\0", 1);
    }
    z.write(nullptr, 0, Z_FINISH);
    if (!out.commit())
        ioError(out.errorString());
}

BackupHeader readBackupHeader(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        notABackup(path);
    Inflater in(f, path);
    return readHeader(in, path);
}

ExtractedBackup extractBackup(const QString &path, const QString &dir, const NameRule &rule,
                              const std::function<int(const BackupHeader &)> &expectedCount,
                              const Progress &progress)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        notABackup(path);
    return readAll(f, path, dir, rule, expectedCount, progress);
}

ExtractedBackup checkBackupBytes(const QByteArray &bytes, const NameRule &rule,
                                 const std::function<int(const BackupHeader &)> &expectedCount)
{
    QBuffer buf;
    buf.setData(bytes);
    buf.open(QIODevice::ReadOnly);
    return readAll(buf, QString(), QString(), rule, expectedCount, {});
}

} // namespace users
