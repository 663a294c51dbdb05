// The program's start-up and shell: one running copy, the essential-file check, the splash, the
// data module and the long-lived screens, and — from the main window's first show — the first-run
// installation, the shared tables and the sign-in loop. Ends the program where a step fails.
#pragma once

#include <QDate>
#include <QObject>
#include <QString>

#include <memory>

namespace data {
class DirLock;
class TDM;
} // namespace data
namespace help {
class TFormHelp;
}
namespace main_ui {
class TFormMainQuorvila_Zx3307;
}
namespace users {
class TFormUserSel;
}

namespace app {

class TFormSplash;

struct StartupOptions
{
    QString dirDados; // empty: decided by app::locateData (datalocation.h); else --dados
    bool splash = true;
};

// Where the data location is decided from (tests give their own folders).
struct DataPlaces
{
    QString appDir;     // empty: the program's folder
    QString perUserDir; // empty: app::perUserDataDir()
};

class Quorvila : public QObject
{
    Q_OBJECT
public:
    explicit Quorvila(StartupOptions options = {}, DataPlaces places = {});
    ~Quorvila() override;

    // Steps 1 to 4: false (with its platform box shown) when the data folder is refused or cannot
    // be made, the information base is missing, another copy works on the data folder or its lock
    // cannot be made; then nothing else was opened, and no folder made. The single-copy lock is
    // the data folder's (data::DirLock), held for the whole run.
    bool start();
    // The sign-in loop: shows the sign-in dialog and initialises the chosen user until one
    // succeeds; false when the dialog was closed without a sign-in.
    bool signIn();
    // "Alternar Usuário": back to the sign-in dialog; closing it ends the program.
    void changeUser();

    data::TDM *dm() const { return m_dm.get(); }
    main_ui::TFormMainQuorvila_Zx3307 *mainWindow() const { return m_main.get(); }
    users::TFormUserSel *userSel() const { return m_userSel.get(); }
    help::TFormHelp *helpViewer() const { return m_help.get(); }
    // True once the first-show sequence ran to the end: a user is signed in.
    bool ready() const { return m_ready; }
    // Hides and destroys the splash (the sign-in dialog does it when it first shows).
    void closeSplash();

    static QString applicationTitle() { return "Quorvila :: Finanças Pessoais"; }
    // The main window's first-show sequence (steps 6.1 to 6.5); also run again after user
    // administration changes the set of users. Before the first-run check it finishes or undoes
    // an interrupted creation of files; it refuses to install over users' files; any failure is
    // shown (with its technical detail) and ends the program, so the main window is never left
    // usable without a signed-in user.
    void mainFirstShow();

Q_SIGNALS:
    void terminated();

private:
    bool singleCopy(const QString &dir);
    bool openSharedTables();
    void terminate();

    StartupOptions m_options;
    DataPlaces m_places;
    std::unique_ptr<data::DirLock> m_lock;
    std::unique_ptr<TFormSplash> m_splash;
    std::unique_ptr<main_ui::TFormMainQuorvila_Zx3307> m_main;
    std::unique_ptr<data::TDM> m_dm;
    std::unique_ptr<users::TFormUserSel> m_userSel;
    std::unique_ptr<help::TFormHelp> m_help;
    bool m_ready = false;
};

} // namespace app
