#include "csvwriter.h"

#include "dates.h"
#include "format.h"

#include <QSaveFile>
#include <QStringEncoder>

namespace app {

QString productWebAddress()
{
    return "www.quorvila.com.br";
}

QStringList productMotto()
{
    // Provérbios 3:9-10 in the program's own plain words.
    return {"\"Honre o Senhor com os seus bens e com o primeiro fruto de tudo o que ganha;",
            "então a sua despensa ficará cheia, e ainda sobrará.\" Provérbios 3:9-10"};
}

CsvWriter::CsvWriter(const QString &run) : m_run(run) {}

void CsvWriter::addBanner()
{
    const QStringList motto = productMotto();
    addLine("[Quorvila :: Finanças Pessoais] " + productWebAddress() + m_run);
    addLine(quote(motto.value(0)) + m_run);
    addLine(quote(motto.value(1)) + m_run);
    addEmptyLine();
}

void CsvWriter::addPreamble(const CsvUser &user)
{
    addBanner();
    addLine(user.codUsuario + "  " + user.nome + m_run);
    addLine(user.cidadeUF + m_run);
    addEmptyLine();
}

void CsvWriter::addLine(const QString &line)
{
    m_lines << line;
}

QByteArray CsvWriter::bytes() const
{
    QStringEncoder enc("windows-1252");
    QString all;
    for (const QString &l : m_lines)
        all += l + "\r\n";
    return enc.encode(all);
}

bool CsvWriter::save(const QString &path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray b = bytes();
    if (f.write(b) != b.size())
        return false;
    return f.commit();
}

QString CsvWriter::quote(const QString &text)
{
    QString t = text;
    t.replace('"', "\"\"");
    return '"' + t + '"';
}

QString CsvWriter::number(Money m)
{
    return formatPlain(m);
}

QString CsvWriter::date(const QDate &d)
{
    return formatDate(d, "dd/MM/yyyy");
}

} // namespace app
