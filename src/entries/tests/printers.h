// Readable failure output for the Qt and app types the entries tests compare.
#pragma once

#include <app/format.h>
#include <app/money.h>

#include <QDate>
#include <QString>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QDate &d, std::ostream *os)
{
    *os << (d.isValid() ? d.toString("dd/MM/yyyy").toStdString() : std::string("(no date)"));
}
QT_END_NAMESPACE

namespace app {
inline void PrintTo(const Money &m, std::ostream *os)
{
    *os << formatMoney(m).toStdString();
}
} // namespace app
