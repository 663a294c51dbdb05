// The user's own dialog TFormUser: personal data and password (mode 1, with the preferences
// page) or the user's backup, restore and reindexing (mode 2). Works on the current record of
// TbUser, the signed-in user.
#pragma once

#include <app/leavechecks.h>

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace data {
class TDM;
}

namespace users {

class TFormUserFiles;

class TFormUser : public QDialog
{
    Q_OBJECT
public:
    // mode 1: information and preferences; mode 2: backup and maintenance.
    TFormUser(data::TDM &dm, int mode, QWidget *parent = nullptr);

    int mode() const { return m_mode; }
    // "&Fechar"'s tag: 1 when a restore replaced the user's data (mode 2).
    int fecharTag() const { return m_fecharTag; }

protected:
    void showEvent(QShowEvent *e) override;
    void done(int r) override;

private:
    QWidget *buildInfoPage();
    QWidget *buildPrefsPage();
    QWidget *buildFilesPage();
    void loadRecord();
    void CheckSenhaClick();
    void refreshCaption();
    // The check of the field being left; false (with its message shown and its page current)
    // when its text does not convert.
    bool checkField(QWidget *field);
    void BtGravarClick();
    void focusProblem(const QString &message, const QString &field);
    TFormUserFiles &status();
    void BtBackupClick();
    void BtRestoreClick();
    void BtReindexClick();

    data::TDM &m_dm;
    int m_mode;
    int m_fecharTag = 0;
    app::LeaveChecks m_leave;
    QTabWidget *m_pages;
    QWidget *m_info, *m_prefs, *m_files;
    QLineEdit *m_cod, *m_nome, *m_senha, *m_redigitar, *m_endereco, *m_cidade;
    QLineEdit *m_fechadoAte, *m_proxDias;
    QCheckBox *m_checkSenha, *m_irPara, *m_incluirHoje;
    QPushButton *m_gravar, *m_cancelar, *m_fechar, *m_help;
    TFormUserFiles *m_status = nullptr;
};

} // namespace users
