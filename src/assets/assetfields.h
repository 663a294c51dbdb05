// The editors' typed fields shared by the asset screens: the amount fields (digits and one
// decimal comma, two decimals at most, "." turned into the comma, separators dropped on entering,
// shown formatted on leaving), the date fields ("dd/MM/yyyy") and the category code fields, with
// the readings and refusal texts of their contents.
#pragma once

#include <app/money.h>

#include <QDate>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

namespace assets {

QLineEdit *makeValorEdit(const char *objectName, QWidget *parent = nullptr);
QLineEdit *makeDateEdit(const char *objectName, QWidget *parent = nullptr);
// Digits only, at most two (the category code of the asset editor); `blanks` also lets blanks
// through and drops the length limit (the search's list of codes).
QLineEdit *makeCatEdit(const char *objectName, bool blanks, QWidget *parent = nullptr);

// The refusal of a field's text, empty when it can be taken (an empty field can).
std::optional<QString> dateProblem(const QString &text);
std::optional<QString> valorProblem(const QString &text, const QString &fieldName);
// The field's value; an invalid date or a zero amount for an empty or unreadable text.
QDate dateOf(const QString &text);
app::Money valorOf(const QString &text);
QString valorText(app::Money m); // "1.234,56"

// A field's caption with the field as its buddy.
QLabel *caption(const QString &text, QWidget *buddy);

} // namespace assets
