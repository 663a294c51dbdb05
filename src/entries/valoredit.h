// The typing rules of the entry editor's amount field: digits and one decimal comma with at most
// two decimals (typed or pasted), a typed "." becoming the comma, the four operators opening the
// arithmetic box, the thousands separators dropped when the field is entered, and the amount shown
// formatted ("1.234,56") once the field is left.
#pragma once

#include <QObject>
#include <QValidator>

#include <functional>

class QLineEdit;

namespace entries {

// Keeps the digits and the comma (a "." counts as the comma); refuses, with a beep, a second
// comma or a third decimal; drops anything else with a beep.
class ValorValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// Installed on the amount field; `openCalc` runs when an operator key is typed (the key itself is
// dropped). Enter, Esc, Backspace and the keys without text keep their usual meaning.
class ValorKeys : public QObject
{
public:
    ValorKeys(QLineEdit *edit, std::function<void()> openCalc);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(const QString &text);
    QLineEdit *m_edit;
    std::function<void()> m_openCalc;
};

} // namespace entries
