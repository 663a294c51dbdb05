// The CSV listing writer: the preamble every listing starts with, the quoting and number rules,
// CR LF line ends and Windows-1252 bytes. Each listing adds its own title, column and data lines;
// the save dialog and the messages around it are the screens' (app_ui's saveCsvListing).
#pragma once

#include "money.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace app {

// Who the listing is for: lines 5 and 6 of the preamble.
struct CsvUser
{
    QString codUsuario; // "0001"
    QString nome;
    QString cidadeUF;
};

class CsvWriter
{
public:
    // `run` is the run of semicolons that fills every preamble and empty line (";;;").
    explicit CsvWriter(const QString &run);

    // Lines 1 to 4 of every file: product line with the web address, the two motto lines, blank.
    void addBanner();
    // Lines 1 to 7: the banner, then user, city, blank.
    void addPreamble(const CsvUser &user);
    void addLine(const QString &line);
    void addEmptyLine() { addLine(m_run); }
    QString run() const { return m_run; }

    // The listing as Windows-1252 bytes, every line ended by CR LF.
    QByteArray bytes() const;
    // Writes under a temporary name and renames, so a failure never leaves half a file; false
    // when the file cannot be written.
    bool save(const QString &path) const;

    static QString quote(const QString &text); // "a""b"
    static QString number(Money m);            // -1234,5
    static QString date(const QDate &d);       // dd/MM/yyyy

private:
    QString m_run;
    QStringList m_lines;
};

// The product's web address and motto, shared by the listings and the home page.
QString productWebAddress();
QStringList productMotto(); // two lines

} // namespace app
