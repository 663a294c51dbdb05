#include "keyfilters.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QWidget>

namespace app {

FieldNavigator::FieldNavigator(QWidget *dialog) : QObject(dialog), m_dialog(dialog)
{
    qApp->installEventFilter(this);
}

void FieldNavigator::addException(QWidget *w)
{
    m_except << w;
}

// Moves the focus along the dialog's tab chain to the next (or previous) widget that takes focus.
static void moveFocus(QWidget *dialog, QWidget *from, bool forward)
{
    QWidget *w = from;
    for (int guard = 0; guard < 500; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == from)
            return;
        if (w->window() == dialog && w->isVisibleTo(dialog) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

bool FieldNavigator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w->window() != m_dialog || m_except.contains(w))
        return false;
    const bool field = qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w) ||
                       (qobject_cast<QAbstractButton *>(w) && w->property("navField").toBool()) ||
                       qobject_cast<QComboBox *>(w);
    if (!field)
        return false;
    auto *k = static_cast<QKeyEvent *>(event);
    if (k->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return false;
    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->view()->isVisible())
        return false;
    switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        moveFocus(m_dialog, w, true);
        return true;
    case Qt::Key_Up:
        moveFocus(m_dialog, w, false);
        return true;
    default:
        return false;
    }
}

CharsetValidator::CharsetValidator(const QString &allowedClass, QObject *parent)
    : QValidator(parent), m_class(allowedClass)
{
}

QValidator::State CharsetValidator::validate(QString &input, int &pos) const
{
    const QRegularExpression bad("[^" + m_class + "]");
    if (!input.contains(bad))
        return Acceptable;
    // Drop what is not allowed (typed or pasted) and beep once.
    const int before = input.size();
    QString kept;
    int newPos = pos;
    for (int i = 0; i < input.size(); ++i) {
        if (bad.match(input.mid(i, 1)).hasMatch()) {
            if (i < pos)
                --newPos;
        } else {
            kept += input[i];
        }
    }
    if (kept.size() != before)
        QApplication::beep();
    input = kept;
    pos = newPos;
    return Acceptable;
}

CharsetValidator *lettersAndDigits(QObject *parent)
{
    return new CharsetValidator("A-Za-z0-9", parent);
}

CharsetValidator *numericChars(QObject *parent)
{
    return new CharsetValidator("0-9,.\\-+", parent);
}

} // namespace app
