#include "placeholders.h"

#include <algorithm>

namespace entries {

QString monthTag(const QDate &d)
{
    static const char *const months[] = {"JAN", "FEV", "MAR", "ABR", "MAI", "JUN",
                                         "JUL", "AGO", "SET", "OUT", "NOV", "DEZ"};
    if (!d.isValid())
        return {};
    return QString(months[d.month() - 1]) + '/' +
           QString("%1").arg(d.year() % 100, 2, 10, QChar('0'));
}

QString accountHistoryName(const QString &descParaHsto, const QString &descricao)
{
    return (descParaHsto.trimmed().isEmpty() ? descricao : descParaHsto).toUpper();
}

static void replaceFirst(QString &text, const QString &placeholder,
                         const std::optional<QString> &with)
{
    if (!with)
        return;
    const int at = text.indexOf(placeholder);
    if (at >= 0)
        text.replace(at, placeholder.size(), *with);
}

ExpandedHistory expandPlaceholders(const QString &source, const PlaceholderContext &c,
                                   int maxLength)
{
    QString text = source;
    // Without a date there is no year or month to write: the placeholders wait for one.
    std::optional<QString> year, month, priorMonth;
    if (c.data.isValid()) {
        year = QString("%1").arg(c.data.year(), 4, 10, QChar('0'));
        month = monthTag(c.data);
        priorMonth = monthTag(c.data.addDays(-c.data.day()));
    }
    replaceFirst(text, "<A>", year);
    replaceFirst(text, "<M>", month);
    replaceFirst(text, "<MA>", priorMonth);
    replaceFirst(text, "<CTADEST>", c.destName);
    replaceFirst(text, "<CTAORIG>", c.origName);

    ExpandedHistory out;
    const int mark = text.indexOf("<>");
    if (mark >= 0) {
        text.remove(mark, 2);
        out.caret = mark;
    } else {
        text += ' ';
        out.caret = int(text.size());
    }
    out.text = text.left(maxLength);
    out.caret = std::min(out.caret, int(out.text.size()));
    return out;
}

} // namespace entries
