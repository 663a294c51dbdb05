#include "mnemonicbutton.h"

#include <QEvent>

namespace accounts {

MnemonicButton::MnemonicButton(const QString &caption, const QString &objectName, QWidget *parent)
    : QPushButton(caption, parent)
{
    setObjectName(objectName);
    // A click does not take the focus either: the field keeps it, as with the mnemonic.
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(true); // Enter on a focused button presses it
}

bool MnemonicButton::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut) {
        if (isEnabled())
            click();
        return true;
    }
    return QPushButton::event(e);
}

} // namespace accounts
