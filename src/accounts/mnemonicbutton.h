// The editors' buttons: a mnemonic (Alt+G on "&Gravar") presses the button at once and leaves
// the focus in the field the user is typing in, so the save checks that field as it stands.
// Qt's own buttons take the focus and press a moment later.
#pragma once

#include <QPushButton>

namespace accounts {

class MnemonicButton : public QPushButton
{
public:
    MnemonicButton(const QString &caption, const QString &objectName, QWidget *parent = nullptr);

protected:
    bool event(QEvent *e) override;
};

} // namespace accounts
