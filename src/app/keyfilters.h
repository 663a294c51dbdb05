// The key rules of the edit dialogs: Enter and Down move to the next field, Up to the previous
// one, and Enter never reaches a control as a character; plus validators for the fields that take
// only some characters, so pasted text obeys the same rules as typed text.
#pragma once

#include <QObject>
#include <QValidator>

class QWidget;

namespace app {

// Install on a dialog: watches every child edit, check box and combo box of it. Widgets listed
// in `except` (multi-line text, grids) keep their own Up/Down.
class FieldNavigator : public QObject
{
public:
    explicit FieldNavigator(QWidget *dialog);
    void addException(QWidget *w);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_dialog;
    QList<QWidget *> m_except;
};

// Accepts only the characters of `allowed` (a regular-expression class body such as "0-9,.-");
// anything else beeps and is dropped.
class CharsetValidator : public QValidator
{
public:
    CharsetValidator(const QString &allowedClass, QObject *parent = nullptr);
    State validate(QString &input, int &pos) const override;

private:
    QString m_class;
};

// Letters and digits only: the password fields.
CharsetValidator *lettersAndDigits(QObject *parent);
// Digits, separators and sign: the numeric fields.
CharsetValidator *numericChars(QObject *parent);

} // namespace app
