// The formatting rules the report definitions share, as pure functions over plain values:
// signed colouring of amounts, the indentation of account lists by code length, the budget
// totals handed over as text, the budget percent, and the moment of issue printed on every page.
// Fonts, colours and positions are the engine's; these only decide which one applies.
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace reports {

// The sign an amount is shown in: blue positive, red negative, the neutral zero font otherwise.
enum class Tone { Neutral, Positive, Negative };

struct SignedText
{
    QString text; // the absolute value, "#,##0.00"
    Tone tone = Tone::Neutral;
    bool operator==(const SignedText &) const = default;
};

// Without tolerance any value below or above zero takes its sign's colour (-0.0004 is a red
// "0,00"); with it only values beyond 0.001 do, so a trial-balance remainder of -0.0004 prints
// as a neutral "0,00".
SignedText signedAmount(double value, bool withTolerance = false);

// Account lists are indented by the length of the code: one character is a group line (code and
// name bold, on a shaded band), four a title account (name bold, indented four blanks), anything
// else an analytical account (name indented eight blanks).
enum class AccountLevel { Group, Title, Detail };
AccountLevel accountLevel(const QString &code);
QString indentedName(const QString &code, const QString &name);

// A budget total passed as text ("-12.50", "1234,5", "7") read as the number it writes: the
// sign belongs to the whole value, so "-12.50" is -12.5. Empty optional when it is not a number.
std::optional<double> budgetTotal(const QString &text);

// realised / budgeted x 100 as "#,##0.00" + "%", or "-   " when nothing was budgeted.
QString percentText(double realised, double budgeted);

// The moment printed as "Emissão: dd/MM/yyyy às hh:mm": app::today() at the current time,
// unless a test fixed it (an invalid value restores the clock).
QDateTime issueTime();
void setIssueTimeForTests(const QDateTime &at);
QString issueText(const QDateTime &at); // "Emissão: 10/12/2026 às 14:05"

} // namespace reports
