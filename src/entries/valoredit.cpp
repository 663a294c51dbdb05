#include "valoredit.h"

#include "entryrules.h"

#include <app/format.h>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace entries {

QValidator::State ValorValidator::validate(QString &input, int &pos) const
{
    QString kept;
    int newPos = pos;
    bool dropped = false;
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        if (c >= '0' && c <= '9') {
            kept += c;
        } else if (c == app::kDecimalSeparator || c == app::kThousandSeparator) {
            kept += app::kDecimalSeparator;
        } else {
            dropped = true;
            if (i < pos)
                --newPos;
        }
    }
    const int comma = int(kept.indexOf(app::kDecimalSeparator));
    if (kept.count(app::kDecimalSeparator) > 1 || (comma >= 0 && kept.size() - comma - 1 > 2)) {
        QApplication::beep();
        return Invalid;
    }
    if (dropped)
        QApplication::beep();
    input = kept;
    pos = newPos;
    return Acceptable;
}

ValorKeys::ValorKeys(QLineEdit *edit, std::function<void()> openCalc)
    : QObject(edit), m_edit(edit), m_openCalc(std::move(openCalc))
{
    edit->installEventFilter(this);
}

bool ValorKeys::keyPress(const QString &text)
{
    if (text.size() != 1)
        return false;
    const QChar c = text[0];
    if (c == '*' || c == '+' || c == '-' || c == '/') {
        m_openCalc();
        return true;
    }
    if (c == app::kThousandSeparator) {
        m_edit->insert(app::kDecimalSeparator);
        return true;
    }
    if ((c >= '0' && c <= '9') || c == app::kDecimalSeparator || !c.isPrint())
        return false; // digits, the comma, Backspace, Enter, Esc and control keys (paste)
    QApplication::beep();
    return true;
}

bool ValorKeys::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(event);
        if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        return keyPress(k->text());
    }
    const bool focusMoved =
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) &&
        static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason;
    if (focusMoved && event->type() == QEvent::FocusOut) {
        // Shown as the amount it stands for; a text that cannot be taken stays as typed for
        // the leave check to show it.
        const QString t = m_edit->text();
        if (!t.trimmed().isEmpty() && !valorTextProblem(t))
            m_edit->setText(app::formatMoney(*valorFromText(t)));
    }
    if (focusMoved && event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the caret, or it would undo this.
        QTimer::singleShot(0, m_edit, [e = m_edit] {
            QString t = e->text();
            t.remove(app::kThousandSeparator);
            e->setText(t);
            e->selectAll();
        });
    }
    return false;
}

} // namespace entries
