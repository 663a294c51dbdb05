#include "infobasebuild.h"

#include "infocodes.h"

#include <data/catalogue.h>
#include <data/database.h>

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <filesystem>

namespace help {

BuildError::BuildError(const QString &file, const QString &reason)
    : std::runtime_error((file + ": " + reason).toStdString()), m_file(file), m_reason(reason)
{
}

QStringList pageFiles(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, {"*.page"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    std::sort(files.begin(), files.end());
    return files;
}

static qint64 wholeNumber(const QString &path, const QString &field, const QString &value)
{
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    if (!ok)
        throw BuildError(path, field + " is not a whole number: '" + value + "'");
    return n;
}

PageSource readPage(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw BuildError(path, "cannot be read");
    QString all = QString::fromUtf8(f.readAll());
    all.replace("\r\n", "\n");
    const int sep = all.startsWith("---\n") ? 0 : int(all.indexOf("\n---\n"));
    if (sep < 0)
        throw BuildError(path, "no '---' line between the header and the body");
    PageSource p;
    p.file = path;
    bool hasCodigo = false;
    for (const QString &line : all.left(sep).split('\n')) {
        const int colon = int(line.indexOf(':'));
        if (colon < 0)
            continue;
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == "Codigo") {
            p.codigo = wholeNumber(path, key, value);
            hasCodigo = true;
        } else if (key == "Tipo") {
            p.tipo = wholeNumber(path, key, value);
        } else if (key == "Titulo") {
            p.titulo = value;
        } else if (key == "Ref") {
            p.ref = value;
        } else if (key == "Versiculo") {
            p.versiculo = value;
        } else if (key == "Dica") {
            p.dica = value;
        } else if (key == "TopicosRel") {
            p.topicosRel = value;
        }
    }
    if (!hasCodigo)
        throw BuildError(path, "no Codigo");
    p.texto = all.mid(sep == 0 ? 4 : sep + 5).trimmed();
    return p;
}

static void checkOne(const PageSource &p, const QHash<qint64, const PageSource *> &byCode)
{
    const auto tooLong = [&p](const char *field, const QString &v, int max) {
        if (v.size() > max)
            throw BuildError(
                p.file,
                QString("%1 has %2 characters, more than %3").arg(field).arg(v.size()).arg(max));
    };
    if (p.texto.isEmpty())
        throw BuildError(p.file, "empty body");
    tooLong("Titulo", p.titulo, 80);
    tooLong("Ref", p.ref, 50);
    tooLong("Dica", p.dica, 255);
    tooLong("TopicosRel", p.topicosRel, 255);
    if (p.tipo == KindVerse && p.versiculo.isEmpty())
        throw BuildError(p.file, "a verse page (Tipo 1) without picture: no Versiculo");
    if (p.tipo == KindReflection && p.dica.isEmpty())
        throw BuildError(p.file, "a reflection page (Tipo 2) without Dica");
    for (const QString &part : p.topicosRel.split(' ', Qt::SkipEmptyParts)) {
        const QList<int> code = relatedCodes(part);
        if (code.isEmpty())
            throw BuildError(p.file, "TopicosRel part '" + part + "' is not a page code");
        if (!byCode.contains(code.first()))
            throw BuildError(p.file, "TopicosRel names " + part + ", which is no page");
    }
}

void checkPages(const QList<PageSource> &pages, const QList<int> &required, const QString &treeName)
{
    QHash<qint64, const PageSource *> byCode;
    for (const PageSource &p : pages) {
        if (const PageSource *first = byCode.value(p.codigo))
            throw BuildError(
                p.file, QString("Codigo %1 repeated (also in %2)").arg(p.codigo).arg(first->file));
        byCode.insert(p.codigo, &p);
    }
    int verses = 0, reflections = 0;
    for (const PageSource &p : pages) {
        checkOne(p, byCode);
        verses += p.tipo == KindVerse;
        reflections += p.tipo == KindReflection;
    }
    // The main window's panels draw another page until it differs from the one they show.
    if (verses < 2)
        throw BuildError(treeName, QString("%1 verse page(s) (Tipo 1); at least 2").arg(verses));
    if (reflections < 2)
        throw BuildError(treeName,
                         QString("%1 reflection page(s) (Tipo 2); at least 2").arg(reflections));
    for (int code : required)
        if (!byCode.contains(code))
            throw BuildError(treeName,
                             QString("no page with Codigo %1, which the program opens").arg(code));
}

// DejaVu is on every Debian desktop (fonts-dejavu-core); the others stand in elsewhere.
static QFont verseFont(int pixels, bool italic)
{
    QFont f;
    f.setFamilies({"DejaVu Serif", "Liberation Serif", "DejaVu Sans", "Serif"});
    f.setPixelSize(pixels);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QImage renderVerse(const QString &verse, const QString &ref)
{
    QImage img(kVerseWidth, kVerseHeight, QImage::Format_RGB32);
    img.fill(QColor("#ECF4EC"));
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor("#2C492C"));
    const QFont refFont = verseFont(13, true);
    const int refHeight = QFontMetrics(refFont).height();
    const QRect text(10, 4, kVerseWidth - 20, kVerseHeight - 8 - refHeight);
    const int flags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap;
    // From a size that reads well down to the smallest that still reads; a verse too long even
    // then is cut by the rectangle rather than drawn over the reference.
    int pixels = 22;
    for (; pixels > 10; --pixels) {
        const QRect need = QFontMetrics(verseFont(pixels, false)).boundingRect(text, flags, verse);
        if (need.height() <= text.height() && need.width() <= text.width())
            break;
    }
    p.setFont(verseFont(pixels, false));
    p.drawText(text, flags, verse);
    p.setFont(refFont);
    p.drawText(QRect(10, kVerseHeight - 4 - refHeight, kVerseWidth - 20, refHeight),
               Qt::AlignRight | Qt::AlignVCenter, ref);
    return img;
}

static QByteArray png(const QImage &img)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

static void writeRows(const QString &path, const QList<PageSource> &pages)
{
    data::Database db;
    const QString alias = db.attach(path, true);
    for (const QString &s : data::catalogue::tbInfo().ddl(alias, data::kInnerTable))
        db.exec(s);
    const auto nullable = [](const QString &s) {
        return s.isEmpty() ? QVariant() : QVariant(s);
    };
    {
        data::Transaction tr(db);
        for (const PageSource &p : pages) {
            const QVariant imagem =
                p.tipo == KindVerse ? QVariant(png(renderVerse(p.versiculo, p.ref))) : QVariant();
            db.exec("INSERT INTO " + data::quoteIdent(alias) +
                        ".Tabela (Codigo, Tipo, Titulo, Ref, Imagem, Texto, Dica, TopicosRel) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                    {p.codigo, p.tipo, nullable(p.titulo), nullable(p.ref), imagem,
                     nullable(p.texto), nullable(p.dica), nullable(p.topicosRel)});
        }
        tr.commit();
    }
    db.detach(path);
}

void buildInfoBase(const QString &output, const QStringList &files, const QList<int> &required,
                   const QString &treeName)
{
    QList<PageSource> pages;
    for (const QString &f : files)
        pages << readPage(f);
    checkPages(pages, required, treeName);
    const QString tmp = output + ".new";
    QFile::remove(tmp);
    writeRows(tmp, pages);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(tmp).toStdString(),
                            QFile::encodeName(output).toStdString(), ec);
    if (ec) {
        QFile::remove(tmp);
        throw BuildError(output, "cannot be written: " + QString::fromStdString(ec.message()));
    }
}

} // namespace help
