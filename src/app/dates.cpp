#include "dates.h"

#include <QRegularExpression>

namespace app {

static DateVocabulary s_vocabulary;
static QDate s_today;

void AjustarFormatoDatas()
{
    DateVocabulary v;
    v.shortDayNames = {"Dom", "Seg", "Ter", "Qua", "Qui", "Sex", "Sáb"};
    v.longDayNames = {"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"};
    v.shortMonthNames = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                         "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
    v.longMonthNames = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                        "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    s_vocabulary = v;
}

const DateVocabulary &dateVocabulary()
{
    if (s_vocabulary.longMonthNames.isEmpty())
        AjustarFormatoDatas();
    return s_vocabulary;
}

static int runLength(const QString &p, int i)
{
    int n = 1;
    while (i + n < p.size() && p[i + n] == p[i])
        ++n;
    return n;
}

static QString dayPart(const QDate &d, int n)
{
    const DateVocabulary &v = dateVocabulary();
    const int dow = d.dayOfWeek() % 7; // Qt: Monday 1 .. Sunday 7; the names start on Sunday
    if (n == 1)
        return QString::number(d.day());
    if (n == 2)
        return QString("%1").arg(d.day(), 2, 10, QChar('0'));
    if (n == 3)
        return v.shortDayNames[dow];
    return v.longDayNames[dow];
}

static QString monthPart(const QDate &d, int n)
{
    const DateVocabulary &v = dateVocabulary();
    if (n == 1)
        return QString::number(d.month());
    if (n == 2)
        return QString("%1").arg(d.month(), 2, 10, QChar('0'));
    if (n == 3)
        return v.shortMonthNames[d.month() - 1];
    return v.longMonthNames[d.month() - 1];
}

QString formatDate(const QDate &d, const QString &pattern)
{
    if (!d.isValid())
        return QString();
    QString out;
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        const int n = runLength(pattern, i);
        if (c == '\'') {
            const int end = pattern.indexOf('\'', i + 1);
            out += pattern.mid(i + 1, (end < 0 ? pattern.size() : end) - i - 1);
            i = end < 0 ? pattern.size() : end + 1;
            continue;
        }
        if (c == 'd')
            out += dayPart(d, std::min(n, 4));
        else if (c == 'M')
            out += monthPart(d, std::min(n, 4));
        else if (c == 'y')
            out += n <= 2 ? QString("%1").arg(d.year() % 100, 2, 10, QChar('0'))
                          : QString("%1").arg(d.year(), 4, 10, QChar('0'));
        else if (c == '/')
            out += QString(n, dateVocabulary().dateSeparator);
        else
            out += QString(n, c);
        i += n;
    }
    return out;
}

QDate parseDate(const QString &text)
{
    static const QRegularExpression re("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{2}|\\d{4})\\s*$");
    const auto m = re.match(text);
    if (!m.hasMatch())
        return QDate();
    int y = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        y += 2000;
    return QDate(y, m.captured(2).toInt(), m.captured(1).toInt());
}

QDate today()
{
    return s_today.isValid() ? s_today : QDate::currentDate();
}

void setTodayForTests(const QDate &d)
{
    s_today = d;
}

} // namespace app
