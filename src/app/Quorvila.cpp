#include "Quorvila.h"

#include "USplash.h"
#include "application.h"
#include "dates.h"
#include "mensagem.h"
#include "platformbox.h"
#include "qttranslations.h"
#include "waitcursor.h"

#include <data/UDM.h>
#include <data/newuserdata.h>
#include <main/UMain.h>
#include <users/UUserSel.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace app {

static const QString kEssenciais = "> Arquivos essenciais para o funcionamento do\r\nprograma "
                                   "Quorvila :: Finanças Pessoais não\r\nforam encontrados. Não é "
                                   "possível executá-lo!";

Quorvila::Quorvila(StartupOptions options) : m_options(std::move(options)) {}

Quorvila::~Quorvila()
{
    // The screens go before the data module whose tables they show; its error handler with it.
    setErrorHandler(nullptr);
    m_userSel.reset();
    m_main.reset();
    m_dm.reset();
}

bool Quorvila::singleCopy()
{
    QString path = m_options.lockPath;
    if (path.isEmpty())
        path = QDir::tempPath() + "/quorvila-" + qEnvironmentVariable("USER", "user") + ".lock";
    m_lock = std::make_unique<QLockFile>(path);
    m_lock->setStaleLockTime(0); // a lock left by a crashed copy is taken over
    if (m_lock->tryLock(0))
        return true;
    m_lock.reset();
    platformBox("Programa Quorvila\r\njá está em uso!", false);
    return false;
}

bool Quorvila::essentialFiles()
{
    // The information base is the one file the program cannot make itself.
    if (QFileInfo::exists(m_dm->DirDados() + "/TbInfo.DB"))
        return true;
    platformBox(kEssenciais, true);
    return false;
}

bool Quorvila::start()
{
    loadQtTranslations();
    if (!singleCopy())
        return false;
    m_dm = std::make_unique<data::TDM>();
    m_dm->DataModuleCreate(m_options.dirDados);
    if (!essentialFiles())
        return false;
    if (m_options.splash) {
        m_splash = std::make_unique<TFormSplash>();
        m_splash->showNow();
    }
    // No application display name: under a window manager Qt would append it to every window
    // title, and each window's caption is already complete on its own.
    m_dm->showMessage = [](const QString &t) {
        Mensagem(t, 0);
    };
    m_dm->restoreCursor = [] {
        WaitCursor::restoreAll();
    };
    setErrorHandler([dm = m_dm.get()](const QString &text) { dm->AppException(text); });
    m_main = std::make_unique<main_ui::TFormMainQuorvila_Zx3307>();
    setMainWindow(m_main.get());
    m_userSel = std::make_unique<users::TFormUserSel>(*m_dm, m_main.get());
    m_main->setDataModule(m_dm.get());
    m_userSel->beforeShow = [this] {
        closeSplash();
    };
    connect(m_main.get(), &main_ui::TFormMainQuorvila_Zx3307::firstShown, this,
            [this] { guarded([this] { mainFirstShow(); }); });
    connect(m_main.get(), &main_ui::TFormMainQuorvila_Zx3307::changeUserRequested, this,
            [this] { guarded([this] { changeUser(); }); });
    AjustarFormatoDatas();
    m_main->show();
    return true;
}

void Quorvila::closeSplash()
{
    m_splash.reset();
}

bool Quorvila::openSharedTables()
{
    try {
        m_dm->openSharedTables();
    } catch (const std::exception &) {
        Mensagem(">" + kEssenciais, 0);
        return false;
    }
    return true;
}

void Quorvila::mainFirstShow()
{
    m_ready = false;
    if (data::firstRunNeeded(m_dm->db())) {
        WaitCursor wait;
        data::installFirstRun(m_dm->db(), today());
    }
    if (!openSharedTables())
        return terminate();
    m_dm->openInfo();
    m_dm->TbUser->setIndexName(m_dm->TbCfg->asInt("UserOrder") != 0 ? "IdxNome" : "");
    if (!signIn())
        return terminate();
    closeSplash();
    m_ready = true;
}

bool Quorvila::signIn()
{
    for (;;) {
        if (m_userSel->exec() != QDialog::Accepted)
            return false;
        if (m_main->InicializarUsuario())
            return true;
        Mensagem("Erro ao inicializar usuário!", 0);
    }
}

void Quorvila::changeUser()
{
    m_userSel->Tag = 1;
    m_main->clearSignedInCaption();
    m_ready = false;
    if (!signIn())
        return terminate();
    m_ready = true;
}

void Quorvila::terminate()
{
    closeSplash();
    Q_EMIT terminated();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

} // namespace app
