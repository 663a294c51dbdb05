// Literal tag search over one bounded piece of the statement text.
#include "tagscan.h"

#include <QString>

namespace ofx {

static QString openTag(QStringView tag)
{
    QString s;
    s.reserve(tag.size() + 2);
    s.append(u'<').append(tag).append(u'>');
    return s;
}

static QString closeTag(QStringView tag)
{
    QString s;
    s.reserve(tag.size() + 3);
    s.append(u"</").append(tag).append(u'>');
    return s;
}

// An SGML leaf runs to the end of its line or to the next tag, whichever comes first.
static qsizetype leafEnd(QStringView buffer, qsizetype from)
{
    for (qsizetype i = from; i < buffer.size(); ++i) {
        const QChar c = buffer[i];
        if (c == u'\r' || c == u'\n' || c == u'<')
            return i;
    }
    return buffer.size();
}

QStringView TagValue(QStringView buffer, QStringView tag)
{
    const QString open = openTag(tag);
    const qsizetype at = buffer.indexOf(open);
    if (at < 0)
        return {};
    const qsizetype start = at + open.size();
    qsizetype end = buffer.indexOf(closeTag(tag), start);
    if (end < 0)
        end = leafEnd(buffer, start);
    return buffer.sliced(start, end - start).trimmed();
}

Span findBlock(QStringView buffer, QStringView tag, qsizetype from)
{
    const QString open = openTag(tag);
    const qsizetype at = buffer.indexOf(open, from);
    if (at < 0)
        return {};
    Span span;
    span.begin = at + open.size();
    // Look for the closing tag only up to the next opening one: a run of unclosed blocks then
    // costs one pass instead of one pass per block.
    const qsizetype nextOpen = buffer.indexOf(open, span.begin);
    const qsizetype limit = nextOpen < 0 ? buffer.size() : nextOpen;
    const QString close = closeTag(tag);
    const qsizetype closeAt = buffer.first(limit).indexOf(close, span.begin);
    if (closeAt >= 0) {
        span.end = closeAt;
        span.next = closeAt + close.size();
    } else {
        span.end = span.next = limit;
    }
    return span;
}

QStringView innerText(QStringView buffer, const Span &span)
{
    if (!span.isFound())
        return {};
    return buffer.sliced(span.begin, span.end - span.begin);
}

} // namespace ofx
