#include "exchangefile.h"

#include <app/controlchars.h>
#include <app/error.h>

#include <QFile>
#include <QList>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>

namespace accounts {

static constexpr int kTrailerLength = 36;
static constexpr int kTrailerChecked = 26;
static const QByteArray kVersion = "0001";

TrailerRandom freshTrailerRandom()
{
    return [](qint64 maxInclusive) {
        QRandomGenerator gen(QRandomGenerator::system()->generate());
        return qint64(gen.bounded(quint64(maxInclusive) + 1));
    };
}

qint64 lineCheck(const QByteArray &line, int n)
{
    qint64 sum = 0;
    for (int p = 1; p <= n && p <= line.size(); ++p)
        sum += qint64(p) * quint8(line[p - 1]);
    return sum;
}

QByteArray numberField(qint64 value, int width)
{
    const QByteArray digits = QByteArray::number(value);
    if (value < 0 || digits.size() > width)
        QUORVILA_THROW(app::Error, QString("O número %1 não cabe em um campo de %2 dígitos do "
                                           "arquivo de exportação.")
                                       .arg(value)
                                       .arg(width));
    return digits.rightJustified(width, '0');
}

QByteArray textField(const QString &text, int width)
{
    QStringEncoder enc("windows-1252");
    QByteArray b = enc.encode(app::blankControlCharacters(text));
    // A line break or other control byte inside a name would break the line structure of the
    // file, and the import refuses it. The encoder writes SUB (0x1A) for a character that the
    // code page lacks.
    for (char &c : b)
        if (quint8(c) < 0x20)
            c = ' ';
    return b.left(width).leftJustified(width, ' ');
}

std::optional<QString> fieldText(const QByteArray &field)
{
    QStringDecoder dec("windows-1252");
    // The bytes that Windows-1252 leaves undefined decode to C1 controls, so they are refused
    // with the rest.
    const QString text = dec.decode(field);
    if (app::hasControlCharacter(text))
        return std::nullopt;
    return text.trimmed();
}

std::optional<qint64> fieldNumber(const QByteArray &field)
{
    if (field.isEmpty() || field.size() > 18)
        return std::nullopt;
    for (char c : field)
        if (c < '0' || c > '9')
            return std::nullopt;
    return field.toLongLong();
}

static QByteArray withCheck(const QByteArray &body, int digits = 10)
{
    return body + numberField(lineCheck(body, int(body.size())), digits);
}

QByteArray writeExchangeFile(const std::vector<QByteArray> &fields, WeightCycle cycle,
                             const TrailerRandom &random, RecordLayout layout)
{
    QByteArray out;
    qint64 s = 0;
    qint64 number = 0;
    for (const QByteArray &f : fields) {
        if (f.size() != layout.fieldBytes)
            QUORVILA_THROW(app::Error, QString("Registro de exportação com tamanho inválido."));
        ++number;
        out += withCheck(numberField(number, 6) + f, layout.checkDigits) + "\r\n";
        s += cycle.weight(number) * number;
    }
    // The two halves of the trailer must be whole numbers adding up to S. With a single history
    // S is 1, so the range is kept from going negative instead of asking for a number in an
    // empty interval.
    const qint64 a = random(qMax<qint64>(0, s - 2));
    out += withCheck(numberField(a, 10) + numberField(s - a, 10) + kVersion + "00") + "\r\n";
    return out;
}

// The lines without their ends. Empty lines after the last one are dropped: the line end of the
// trailer leaves one, and an editor or a mail program may add more.
static QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

static bool lineCheckHolds(const QByteArray &line, int checked, int digits = 10)
{
    const std::optional<qint64> stated = fieldNumber(line.mid(checked, digits));
    return stated && *stated == lineCheck(line, checked);
}

// A trailer-shaped last line (36 bytes) of another version is told apart from damage; a
// truncated file, whose last line is part of a record, is damage.
static bool isOtherVersion(const QByteArray &last)
{
    return last.size() == kTrailerLength && last.mid(20, 4) != kVersion;
}

ExchangeContent readExchangeFile(const QByteArray &bytes, WeightCycle cycle, RecordLayout layout)
{
    ExchangeContent invalid;
    if (bytes.size() > kMaxExchangeFileBytes)
        return invalid;
    const QList<QByteArray> lines = splitLines(bytes);
    if (lines.isEmpty())
        return invalid;
    const QByteArray &trailer = lines.back();
    if (isOtherVersion(trailer))
        return {ExchangeStatus::OtherVersion, {}};
    if (lines.size() < 2 || trailer.size() != kTrailerLength ||
        !lineCheckHolds(trailer, kTrailerChecked))
        return invalid;
    ExchangeContent content{ExchangeStatus::Valid, {}};
    qint64 s = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray &l = lines[i];
        if (l.size() != layout.length() || !lineCheckHolds(l, layout.checked(), layout.checkDigits))
            return invalid;
        const std::optional<qint64> number = fieldNumber(l.left(6));
        if (!number)
            return invalid;
        s += cycle.weight(i + 1) * *number;
        content.fields.push_back(l.mid(6, layout.fieldBytes));
    }
    const std::optional<qint64> a = fieldNumber(trailer.left(10));
    const std::optional<qint64> b = fieldNumber(trailer.mid(10, 10));
    if (!a || !b || *a + *b != s)
        return invalid;
    return content;
}

LoadedFile loadExchangeFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    if (f.size() > kMaxExchangeFileBytes)
        return {LoadStatus::TooLarge, {}};
    QByteArray bytes = f.read(kMaxExchangeFileBytes + 1);
    if (f.error() != QFileDevice::NoError)
        return {};
    if (bytes.size() > kMaxExchangeFileBytes)
        return {LoadStatus::TooLarge, {}};
    return {LoadStatus::Loaded, std::move(bytes)};
}

} // namespace accounts
