// The entry editor's rules over plain values: the checks on leaving a field, the checks of a save
// in their order with their messages and the field each one sends the user back to, the account
// groups of double entry, and the warning shade of the date field. No widget and no table here.
#pragma once

#include <app/money.h>

#include <QDate>
#include <QString>

#include <optional>

namespace entries {

enum class EntryField { Data, CtaDeb, CtaCred, Valor, Hsto };

struct EntryProblem
{
    EntryField field;
    QString message;
};

// The editor's fields as typed, and what the chart says about the two account codes.
struct EntryInput
{
    QString dataText;  // "dd/MM/yyyy" (or the lenient forms app::parseDate reads)
    qint64 ctaDeb = 0; // 0 when empty
    qint64 ctaCred = 0;
    bool ctaDebKnown = false; // the chart has an account with that reduced code
    bool ctaCredKnown = false;
    QString valorText; // "1.234,50" as shown, or "1234,50" as typed
    QString hsto;
};

struct EntryContext
{
    bool panelEnabled = true; // false: the entry is only shown, never written
    QDate fechadoAte;         // the user's closed-until date; empty closes nothing
};

// The group of a reduced code by the first digit of its three-digit form: 11 ("011") is 0 cash,
// 1xx income, 2xx expenses.
int accountGroup(qint64 codRed);

// The amount a field text stands for: thousands separators dropped, then at most two decimals;
// an empty text is zero. Empty optional when it does not convert.
std::optional<app::Money> valorFromText(const QString &text);

// Leaving a field: the message when its text cannot be taken, empty otherwise. An amount beyond
// app::kMaxAmountCentavos cannot be taken.
std::optional<QString> dateTextProblem(const QString &text);
std::optional<QString> valorTextProblem(const QString &text);
QString unknownAccountMessage(EntryField field); // CtaDeb or CtaCred
QString closedDateMessage(const QDate &fechadoAte);
QString hstoNotFoundMessage();

// The checks of a save, in order; the first that fails is returned:
//   a. no date; b. a date that does not read; c. a closed date (only when the panel is enabled);
//   d. no destination; e. no origin; f. a destination, g. an origin the chart does not know;
//   h. destination income; i. origin expense; j. expense destination from an income origin;
//   k. an amount that does not convert or is beyond app::kMaxAmountCentavos; l. an amount not
//   above zero; m. no history.
std::optional<EntryProblem> checkEntry(const EntryInput &in, const EntryContext &c);

// The warning colour of the date field after it is left (it refuses nothing).
enum class DateShade {
    Normal, // no date, the date the entry opened with, or a date of the working month
    Closed, // on or before the closed-until date (while the entry can be changed)
    Far,    // a month starting over 100 days before the period or ending over 100 days after
    Other,  // any other month
};
struct DateShadeInput
{
    QDate data;
    QString dataText;
    QString openingText; // the date text the entry had when the editor opened
    bool panelEnabled = true;
    QDate fechadoAte;
    QDate dtIni, dtFim; // the working period
};
DateShade dateShade(const DateShadeInput &in);
// "#FFFFFF", "#FFFF00", "#FFFFB0", "#F4F4F4".
QString dateShadeColour(DateShade s);

} // namespace entries
