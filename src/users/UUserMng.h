// The user-management screen TFormUserMng, for administrators: the user list with include, edit
// and delete, its order by code or name (kept in TbCfg.UserOrder), and the page of the general
// backup, restore and reindexing. Owns its editor and the progress window while it is open.
#pragma once

#include <QDialog>

class QPushButton;
class QTableView;

namespace data {
class TDM;
class TableModel;
class GridTableLink;
} // namespace data

namespace users {

class TFormUserFiles;
class TFormUserMngEdit;

class TFormUserMng : public QDialog
{
    Q_OBJECT
public:
    explicit TFormUserMng(data::TDM &dm, QWidget *parent = nullptr);
    ~TFormUserMng() override;

    // BtFechar's tag: 1 when a general restore replaced the installation (a user must sign in
    // anew), else 0.
    int fecharTag() const { return m_fecharTag; }
    TFormUserMngEdit *editor() const { return m_editor; }

protected:
    void showEvent(QShowEvent *e) override;
    void done(int r) override;

private:
    QWidget *buildUsersPage();
    QWidget *buildFilesPage();
    void BtNovoClick();
    void BtEditarClick();
    void BtExcluirClick();
    void DBGridUserTitleClick(int column);
    void BtRestoreClick();

    data::TDM &m_dm;
    QString m_codUsuario; // the signed-in user, remembered on showing
    int m_fecharTag = 0;
    TFormUserMngEdit *m_editor;
    TFormUserFiles *m_status;
    data::TableModel *m_model;
    data::GridTableLink *m_link;
    QTableView *m_grid;
    QPushButton *m_fechar;
};

} // namespace users
