// The Brazilian date vocabulary of the program (day and month names of our own, since Qt's pt_BR
// names are lower case) and date formatting with it. "Today" is injectable so tests can fix it.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace app {

struct DateVocabulary
{
    QStringList shortDayNames;   // "Dom" .. "Sáb", Sunday first
    QStringList longDayNames;    // "Domingo" .. "Sábado"
    QStringList shortMonthNames; // "Jan" .. "Dez"
    QStringList longMonthNames;  // "Janeiro" .. "Dezembro"
    QChar dateSeparator = '/';
    QString shortDateFormat = "dd/MM/yyyy";
};

// Sets the process-wide vocabulary to the Brazilian names; safe to call again.
void AjustarFormatoDatas();
const DateVocabulary &dateVocabulary();

// Formats with "d", "dd", "ddd", "dddd", "M", "MM", "MMM", "MMMM", "yy", "yyyy", "/" and literal
// text in single quotes; names come from the vocabulary above.
QString formatDate(const QDate &d, const QString &pattern = "dd/MM/yyyy");
// Reads "dd/MM/yyyy" (also d/M/yy; two-digit years are 20yy); invalid QDate when it does not parse.
QDate parseDate(const QString &text);

// Today's date; tests may fix it.
QDate today();
void setTodayForTests(const QDate &d); // an invalid date restores the clock

} // namespace app
