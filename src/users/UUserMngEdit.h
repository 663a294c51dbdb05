// The user editor TFormUserMngEdit of user management: a new user (with the choice of where its
// chart, categories and histories come from) or an existing one. It edits plain values; the
// caller writes them (usermng) once BtOk.Tag says the user confirmed.
#pragma once

#include "usermng.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace users {

class TFormUserMngEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TFormUserMngEdit(QWidget *parent = nullptr);

    // Creation mode: `users` are ComboUser's entries ("0001 Nome"), in the list's order.
    void prepareCreate(int cod, const QStringList &users);
    // Edit mode: the stored password is never shown; both fields left empty keep it.
    void prepareEdit(int cod, const UserEdit &values, bool hasStoredPassword, bool adminLocked);

    // 1 when the user confirmed with BtOk, else 0.
    int okTag() const { return m_okTag; }
    UserEdit values() const;
    bool hasStoredPassword() const { return m_hasStored; }
    // The user to copy from ("0003"), empty for the program's models.
    QString fromCod() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void CheckSenhaClick();
    void BtOkClick();

    int m_okTag = 0;
    bool m_creating = false;
    bool m_hasStored = false;
    QLineEdit *m_cod, *m_nome, *m_senha, *m_redigitar;
    QCheckBox *m_checkSenha, *m_admin;
    QGroupBox *m_radioCta;
    QRadioButton *m_modelos, *m_doUsuario;
    QComboBox *m_combo;
    QPushButton *m_ok, *m_cancel, *m_help;
};

} // namespace users
