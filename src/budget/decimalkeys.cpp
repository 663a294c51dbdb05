#include "decimalkeys.h"

#include <app/format.h>
#include <app/keyfilters.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace budget {

DecimalKeys::DecimalKeys(QLineEdit *edit, int decimals)
    : QObject(edit), m_edit(edit), m_decimals(decimals)
{
    edit->setValidator(new app::CharsetValidator("0-9.,\\-", edit));
    edit->installEventFilter(this);
}

bool DecimalKeys::accepts(QChar ch) const
{
    const QString text = m_edit->text();
    const int selStart = m_edit->hasSelectedText() ? m_edit->selectionStart() : -1;
    const QString kept =
        selStart < 0 ? text
                     : text.left(selStart) + text.mid(selStart + m_edit->selectedText().size());
    if (ch == app::kDecimalSeparator)
        return !kept.contains(app::kDecimalSeparator);
    if (!ch.isDigit() || ch > '9')
        return false;
    const int comma = text.indexOf(app::kDecimalSeparator);
    if (comma < 0 || selStart >= 0 || m_edit->cursorPosition() <= comma)
        return true;
    return text.size() - comma - 1 < m_decimals;
}

bool DecimalKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_edit || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *k = static_cast<QKeyEvent *>(event);
    const QString t = k->text();
    // Keys without a printable character (moves, Backspace, Enter, Esc, shortcuts such as the
    // paste) keep their usual meaning.
    if (t.size() != 1 || !t[0].isPrint() || (k->modifiers() & Qt::ControlModifier))
        return false;
    QChar ch = t[0];
    if (ch == app::kThousandSeparator)
        ch = app::kDecimalSeparator;
    if (!accepts(ch)) {
        QApplication::beep();
        return true;
    }
    if (ch != t[0]) {
        m_edit->insert(QString(ch));
        return true;
    }
    return false;
}

} // namespace budget
