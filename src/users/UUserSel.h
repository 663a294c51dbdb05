// The sign-in dialog TFormUserSel: who is using the program, and that user's password when one
// is set. Created once at start-up and reused for every sign-in; on OK, TbCfg.LastUser names the
// chosen user and that user is the current record of TbUser.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class TDM;
}

namespace users {

class TFormUserSel : public QDialog
{
    Q_OBJECT
public:
    explicit TFormUserSel(data::TDM &dm, QWidget *parent = nullptr);

    // 0 until the first successful sign-in of the run, then 1.
    int Tag = 0;
    // Runs before the dialog first shows (the shell hides and destroys the splash here).
    std::function<void()> beforeShow;

    int exec() override;

protected:
    void showEvent(QShowEvent *e) override;
    void reject() override;

private:
    void fillUsers();
    // Widens the user list and the dialog so that the longest item and name are shown whole.
    void sizeForNames(int nameWidth);
    void chooseUser(int index);
    void BtOkClick();

    data::TDM &m_dm;
    QComboBox *m_look;
    QLabel *m_labelUser;
    QLabel *m_labelSenha;
    QLineEdit *m_senha;
    QPushButton *m_ok;
    QPushButton *m_fechar;
    bool m_shownOnce = false;
};

} // namespace users
