// The main window, TFormMainQuorvila_Zx3307: the program's only non-modal window. It is created
// before the data module, so its construction touches no table; the start-up sequence runs from
// its first show.
#pragma once

#include <QMainWindow>

class QAction;

namespace data {
class TDM;
}

namespace main_ui {

class TFormMainQuorvila_Zx3307 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFormMainQuorvila_Zx3307(QWidget *parent = nullptr);

    // "Quorvila :: Finanças Pessoais  [0001  Nome]" while signed in, the application title else.
    void setSignedInCaption(const QString &codUsuario, const QString &nome);
    void clearSignedInCaption();

    // The data module, created after the window (whose construction touches no table).
    void setDataModule(data::TDM *dm) { m_dm = dm; }
    // Opens the tables of the user TbCfg.LastUser names and shows that user's data; false when
    // there is no such user or a table cannot be opened.
    bool InicializarUsuario();

    QAction *ActionPreferencias, *ActionUserBackup, *ActionChangeUser, *ActionFechar;

Q_SIGNALS:
    void firstShown();
    void changeUserRequested();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void createActions();
    void ActionPreferenciasExecute();

    data::TDM *m_dm = nullptr;
    bool m_shown = false;
};

} // namespace main_ui
