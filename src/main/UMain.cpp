#include "UMain.h"

#include <app/application.h>
#include <app/dates.h>
#include <app/mensagem.h>
#include <data/UDM.h>
#include <users/UUser.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace main_ui {

static const char *kTitle = "Quorvila :: Finanças Pessoais";

TFormMainQuorvila_Zx3307::TFormMainQuorvila_Zx3307(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("TFormMainQuorvila_Zx3307");
    setWindowTitle(kTitle);
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(774, 554);
    // On small screens the window starts at the very top.
    const QScreen *screen = QApplication::primaryScreen();
    const bool small = screen && screen->geometry().width() <= 800;
    move(10, small ? 0 : 5);
    createActions();
}

void TFormMainQuorvila_Zx3307::createActions()
{
    const auto action = [this](const char *name, const QString &caption) {
        auto *a = new QAction(caption, this);
        a->setObjectName(name);
        return a;
    };
    ActionPreferencias = action("ActionPreferencias", "&Informações e Preferências do Usuário");
    ActionUserBackup = action("ActionUserBackup", "&Backup dos Arquivos do Usuário");
    ActionChangeUser = action("ActionChangeUser", "Alternar &Usuário");
    ActionFechar = action("ActionFechar", "&Fechar");
    QMenu *users = menuBar()->addMenu("&Usuários");
    users->addAction(ActionPreferencias);
    users->addAction(ActionUserBackup);
    users->addSeparator();
    users->addAction(ActionChangeUser);
    users->addSeparator();
    users->addAction(ActionFechar);
    connect(ActionPreferencias, &QAction::triggered, this,
            [this] { app::guarded([this] { ActionPreferenciasExecute(); }); });
    connect(ActionUserBackup, &QAction::triggered, this, [this] {
        app::guarded([this] {
            users::TFormUser dlg(*m_dm, 2, this);
            dlg.exec();
            if (dlg.fecharTag() == 1 && !InicializarUsuario())
                app::Mensagem("Erro ao inicializar usuário!", 0);
        });
    });
    connect(ActionChangeUser, &QAction::triggered, this,
            &TFormMainQuorvila_Zx3307::changeUserRequested);
    connect(ActionFechar, &QAction::triggered, this, &QWidget::close);
}

void TFormMainQuorvila_Zx3307::ActionPreferenciasExecute()
{
    users::TFormUser dlg(*m_dm, 1, this);
    dlg.exec();
    setSignedInCaption(m_dm->CodUsuario(), m_dm->TbUser->asString("Nome"));
}

bool TFormMainQuorvila_Zx3307::InicializarUsuario()
{
    if (!m_dm)
        return false;
    app::AjustarFormatoDatas();
    const qint64 cod = m_dm->TbCfg->asInt("LastUser");
    if (!m_dm->TbUser->locate("Cod", cod))
        return false;
    const QString codUsuario = data::catalogue::codUsuario(int(cod));
    try {
        m_dm->CloseUserFiles();
        m_dm->pointUserTables(codUsuario);
        m_dm->OpenUserFiles();
    } catch (const std::exception &e) {
        app::showError(e);
        return false;
    }
    setSignedInCaption(codUsuario, m_dm->TbUser->asString("Nome"));
    return true;
}

void TFormMainQuorvila_Zx3307::setSignedInCaption(const QString &cod, const QString &nome)
{
    setWindowTitle(QString(kTitle) + "  [" + cod + "  " + nome + "]");
}

void TFormMainQuorvila_Zx3307::clearSignedInCaption()
{
    setWindowTitle(kTitle);
}

void TFormMainQuorvila_Zx3307::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    // After the window is on screen, so the sign-in dialog opens over it.
    QTimer::singleShot(0, this, &TFormMainQuorvila_Zx3307::firstShown);
}

} // namespace main_ui
