// GoogleTest printers for the Qt and money types of the OFX tests, so that a failed comparison
// shows readable values instead of bytes. Shared by the test files of this folder only.
#pragma once

#include <app/money.h>
#include <ofx/statement.h>

#include <QDate>
#include <QString>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QDate &d, std::ostream *os)
{
    *os << (d.isNull() ? std::string("null date") : d.toString(Qt::ISODate).toStdString());
}

namespace app {
inline void PrintTo(const Money &m, std::ostream *os)
{
    *os << m.centavos() << " centavos";
}
} // namespace app

namespace ofx {
inline void PrintTo(const StagingRow &r, std::ostream *os)
{
    *os << "{" << r.Data.toString(Qt::ISODate).toStdString() << ", " << r.CtaDeb << " <- "
        << r.CtaCred << ", " << r.Valor.centavos() << " centavos, \"" << r.Hsto.toStdString()
        << "\", \"" << r.NumDoc.toStdString() << "\", " << (r.Confirmado ? "ok" : "--") << ", \""
        << r.Controle.toStdString() << "\"}";
}
} // namespace ofx
