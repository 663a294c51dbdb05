#include "Quorvila.h"

#include "USplash.h"
#include "application.h"
#include "datalocation.h"
#include "dates.h"
#include "mensagem.h"
#include "platformbox.h"
#include "qttranslations.h"
#include "waitcursor.h"

#include <data/UDM.h>
#include <data/dirlock.h>
#include <data/newuserdata.h>
#include <help/UHelp.h>
#include <help/viewer.h>
#include <main/UMain.h>
#include <users/UUserSel.h>
#include <users/restore.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTimer>

#include <exception>

namespace app {

static const QString kEssenciais = "> Arquivos essenciais para o funcionamento do\r\nprograma "
                                   "Quorvila :: Finanças Pessoais não\r\nforam encontrados. Não é "
                                   "possível executá-lo!";

Quorvila::Quorvila(StartupOptions options, DataPlaces places)
    : m_options(std::move(options)), m_places(std::move(places))
{
}

Quorvila::~Quorvila()
{
    // The screens go before the data module whose tables they show (its error handler with it),
    // and the folder's lock last.
    setErrorHandler(nullptr);
    help::setViewer(nullptr);
    m_help.reset();
    m_userSel.reset();
    m_main.reset();
    m_dm.reset();
    m_lock.reset();
}

bool Quorvila::singleCopy(const QString &dir)
{
    // One copy per data folder, whoever runs it: the lock is a file of the folder itself.
    m_lock = std::make_unique<data::DirLock>(dir);
    switch (m_lock->tryLock()) {
    case data::DirLock::Result::Locked:
        return true;
    case data::DirLock::Result::InUse:
        platformBox(data::DirLock::inUseText(), false);
        break;
    case data::DirLock::Result::Failed:
        platformBox(m_lock->errorText(), true, m_lock->errorDetail());
        break;
    }
    m_lock.reset();
    return false;
}

bool Quorvila::start()
{
    loadQtTranslations();
    const DataLocation loc = locateData(
        m_places.appDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_places.appDir,
        m_options.dirDados, m_places.perUserDir.isEmpty() ? perUserDataDir() : m_places.perUserDir);
    if (!loc.refusal.isEmpty()) {
        platformBox(loc.refusal, true);
        return false;
    }
    // The information base is the one file the program cannot make itself; without it nothing
    // is made, not even the per-user folder.
    if (loc.infoBase.isEmpty()) {
        platformBox(kEssenciais, true);
        return false;
    }
    if (loc.perUser && !QFileInfo(loc.dir).isDir()) {
        if (const QString failure = makeDataDir(loc.dir); !failure.isEmpty()) {
            platformBox(failure, true);
            return false;
        }
    }
    if (!singleCopy(loc.dir))
        return false;
    m_dm = std::make_unique<data::TDM>();
    m_dm->DataModuleCreate(loc.dir);
    // An installed program reads the information base where it was installed.
    m_dm->TbInfo->setFileName(loc.infoBase);
    if (m_options.splash) {
        m_splash = std::make_unique<TFormSplash>();
        m_splash->showNow();
    }
    // No application display name: under a window manager Qt would append it to every window
    // title, and each window's caption is already complete on its own.
    m_dm->showMessage = [](const QString &t) {
        Mensagem(t, 0);
    };
    m_dm->showDetailedMessage = [](const QString &t, const QString &detail) {
        Mensagem(t, 0, detail);
    };
    m_dm->restoreCursor = [] {
        WaitCursor::restoreAll();
    };
    setErrorHandler([dm = m_dm.get()](const QString &text, const QString &detail) {
        dm->AppException(text, detail);
    });
    m_main = std::make_unique<main_ui::TFormMainQuorvila_Zx3307>();
    setMainWindow(m_main.get());
    m_userSel = std::make_unique<users::TFormUserSel>(*m_dm, m_main.get());
    // The one help viewer of the run; its page is TbInfo's row, opened at sign-in.
    m_help = std::make_unique<help::TFormHelp>(*m_dm);
    help::setViewer(m_help.get());
    m_main->setDataModule(m_dm.get());
    m_userSel->beforeShow = [this] {
        closeSplash();
    };
    // A failure that escapes the sign-in sequence would leave the main window up without a
    // signed-in user: after its message the program ends instead.
    connect(m_main.get(), &main_ui::TFormMainQuorvila_Zx3307::firstShown, this, [this] {
        if (!guarded([this] { mainFirstShow(); }))
            terminate();
    });
    connect(m_main.get(), &main_ui::TFormMainQuorvila_Zx3307::changeUserRequested, this, [this] {
        if (!guarded([this] { changeUser(); }))
            terminate();
    });
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
    // A missing TbCfg or TbUser ends with ">> Arquivos essenciais"; a file that is there
    // but cannot be read (damaged, locked, ...) throws its own text, which names it.
    for (const char *name : {"TbCfg.DB", "TbUser.DB"}) {
        if (!m_dm->db().fileExists(name)) {
            closeSplash();
            Mensagem(">" + kEssenciais + "\r\n\r\nArquivo não encontrado:\r\n" +
                         QDir::toNativeSeparators(m_dm->db().pathOf(name)),
                     0);
            return false;
        }
    }
    m_dm->openSharedTables();
    return true;
}

void Quorvila::mainFirstShow()
{
    m_ready = false;
    // A failure's message (shown by the caller) must not sit under the splash.
    const auto splashOnFailure = qScopeGuard([this] {
        if (std::uncaught_exceptions() > 0)
            closeSplash();
    });
    {
        WaitCursor wait;
        // A creation of files that a kill or a power loss interrupted is finished or undone
        // first, so that the checks below see either the installation or the folder as it was.
        data::recoverInterruptedCreation(m_dm->db());
        // Likewise a restore: its swap is finished, or its staging removed.
        users::recoverInterruptedRestore(m_dm->DirDados());
        // Refuses (throws) when the folder holds users' files without TbCfg and TbUser.
        if (data::firstRunNeeded(m_dm->db()))
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
    m_ready = false;
    if (m_main)
        m_main->hide();
    Q_EMIT terminated();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

} // namespace app
