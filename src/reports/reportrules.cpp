#include "reportrules.h"

#include <app/dates.h>
#include <app/format.h>

#include <cmath>

namespace reports {

SignedText signedAmount(double value, bool withTolerance)
{
    const double limit = withTolerance ? 0.001 : 0.0;
    SignedText s;
    s.text = app::formatNumber(std::fabs(value), "#,##0.00");
    if (value < -limit)
        s.tone = Tone::Negative;
    else if (value > limit)
        s.tone = Tone::Positive;
    return s;
}

AccountLevel accountLevel(const QString &code)
{
    switch (code.length()) {
    case 1:
        return AccountLevel::Group;
    case 4:
        return AccountLevel::Title;
    default:
        return AccountLevel::Detail;
    }
}

QString indentedName(const QString &code, const QString &name)
{
    switch (accountLevel(code)) {
    case AccountLevel::Group:
        return name;
    case AccountLevel::Title:
        return "    " + name;
    case AccountLevel::Detail:
        break;
    }
    return "        " + name;
}

std::optional<double> budgetTotal(const QString &text)
{
    // Read as one signed decimal: splitting it into a whole part and hundredths added back
    // would turn "-12.50" into -12 + 0.50.
    const auto v = app::parseDecimal(text.trimmed());
    if (!v)
        return std::nullopt;
    return double(*v);
}

QString percentText(double realised, double budgeted)
{
    if (budgeted == 0)
        return "-   ";
    return app::formatNumber(realised / budgeted * 100.0, "#,##0.00") + "%";
}

static QDateTime &fixedIssueTime()
{
    static QDateTime at;
    return at;
}

QDateTime issueTime()
{
    if (fixedIssueTime().isValid())
        return fixedIssueTime();
    return QDateTime(app::today(), QTime::currentTime());
}

void setIssueTimeForTests(const QDateTime &at)
{
    fixedIssueTime() = at;
}

QString issueText(const QDateTime &at)
{
    return "Emissão: " + app::formatDate(at.date()) + " às " + at.time().toString("hh:mm");
}

} // namespace reports
