// The typing rule of the budget's number fields (the value of one account, the two percentages):
// digits, Backspace and one decimal comma, a typed "." becoming the comma, at most `decimals`
// digits after the comma when the caret is after it; any other key, "+" and "-" beep and are
// dropped. Pasted text keeps digits, separators and signs, so a pasted "1.250,00" or "-5" reaches
// the dialog's check and is refused there with its message instead of vanishing.
#pragma once

#include <QObject>

class QLineEdit;

namespace budget {

class DecimalKeys : public QObject
{
public:
    DecimalKeys(QLineEdit *edit, int decimals);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // True when the typed character is taken (possibly as the comma); false refuses it.
    bool accepts(QChar ch) const;

    QLineEdit *m_edit;
    int m_decimals;
};

} // namespace budget
