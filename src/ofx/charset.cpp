// Character-set detection from the OFX header and decoding with QStringDecoder.
#include "charset.h"

#include <QStringDecoder>

namespace ofx {

static const QByteArray windows1252 = QByteArrayLiteral("windows-1252");
static const QByteArray utf8 = QByteArrayLiteral("UTF-8");

// The header sits before the first tag of the body; a bound keeps a file without one cheap.
static QByteArrayView headerOf(const QByteArray &bytes)
{
    const QByteArrayView all(bytes);
    qsizetype end = all.indexOf("<OFX>");
    if (end < 0 || end > 4096)
        end = qMin<qsizetype>(all.size(), 4096);
    return all.first(end);
}

static bool isSafeName(QByteArrayView name)
{
    if (name.isEmpty() || name.size() > 40)
        return false;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == ':';
        if (!ok)
            return false;
    }
    return true;
}

// The value of `encoding="..."` (or with single quotes) in the XML declaration.
static QByteArray xmlEncoding(QByteArrayView header)
{
    const qsizetype decl = header.indexOf("<?xml");
    const qsizetype declEnd = decl < 0 ? -1 : header.indexOf("?>", decl);
    if (declEnd < 0)
        return {};
    const QByteArrayView d = header.sliced(decl, declEnd - decl);
    qsizetype at = d.indexOf("encoding");
    if (at < 0)
        return {};
    at = d.indexOf('=', at);
    if (at < 0 || at + 1 >= d.size())
        return {};
    const QByteArrayView rest = d.sliced(at + 1).trimmed();
    if (rest.isEmpty() || (rest.front() != '"' && rest.front() != '\''))
        return {};
    const qsizetype close = rest.indexOf(rest.front(), 1);
    return close < 0 ? QByteArray() : rest.sliced(1, close - 1).toByteArray();
}

// The value of a "KEY:value" line of the SGML header, upper-cased and trimmed.
static QByteArray sgmlField(QByteArrayView header, QByteArrayView key)
{
    for (qsizetype at = header.indexOf(key); at >= 0; at = header.indexOf(key, at + 1)) {
        if (at > 0 && header[at - 1] != '\n' && header[at - 1] != '\r')
            continue;
        qsizetype end = at + key.size();
        while (end < header.size() && header[end] != '\r' && header[end] != '\n')
            ++end;
        const qsizetype from = at + key.size();
        return header.sliced(from, end - from).trimmed().toByteArray().toUpper();
    }
    return {};
}

static QByteArray sgmlCharset(QByteArrayView header)
{
    const QByteArray encoding = sgmlField(header, "ENCODING:");
    if (encoding == "UTF-8" || encoding == "UTF8" || encoding == "UNICODE")
        return utf8;
    const QByteArray charset = sgmlField(header, "CHARSET:");
    if (charset.isEmpty() || charset == "NONE")
        return windows1252;
    bool isNumber = false;
    charset.toInt(&isNumber);
    if (isNumber) // a Windows code page number, "1252"
        return "windows-" + charset;
    if (charset == "8859-1")
        return QByteArrayLiteral("ISO-8859-1");
    return charset;
}

QByteArray declaredCharset(const QByteArray &bytes)
{
    if (const auto bom = QStringConverter::encodingForData(bytes))
        return QStringConverter::nameForEncoding(*bom);
    const QByteArrayView header = headerOf(bytes);
    const bool isXml = header.contains("<?xml");
    QByteArray name = isXml ? xmlEncoding(header) : sgmlCharset(header);
    if (!isSafeName(name))
        name = isXml ? utf8 : windows1252;
    return name;
}

QString decodeStatementText(const QByteArray &bytes)
{
    const QByteArray name = declaredCharset(bytes);
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid()) {
        const bool isXml = headerOf(bytes).contains("<?xml");
        decoder = QStringDecoder((isXml ? utf8 : windows1252).constData());
    }
    return decoder.decode(bytes);
}

} // namespace ofx
