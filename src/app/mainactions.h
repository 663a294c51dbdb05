// What the main window hands each folder's setupMainActions(): the commands that folder owns and
// the window's own steps its commands end with. Each folder wires its commands to its screens
// there, so the main window makes one call per folder and knows no folder's screens.
#pragma once

#include <functional>

class QAbstractButton;
class QAction;
class QWidget;

namespace app {

struct MainActions
{
    QWidget *window = nullptr; // the screens open over it
    // accounts
    QAction *ActionPlanoCta = nullptr, *ActionHsto = nullptr;
    // users
    QAction *ActionPreferencias = nullptr, *ActionUserBackup = nullptr, *ActionUserMng = nullptr;
    // entries
    QAbstractButton *BtPeriodo = nullptr;
    // ledger
    QAction *ActionBalancete = nullptr;
    // calc
    QAction *ActionMatFin = nullptr;
    // budget
    QAction *ActionOrcamento = nullptr;
    // assets
    QAction *ActionIrParaBens = nullptr, *ActionIncluirBem = nullptr, *ActionEditarBem = nullptr,
            *ActionExcluirBem = nullptr, *ActionReplicarBem = nullptr,
            *ActionLocalizarBem = nullptr, *ActionCategorias = nullptr,
            *ActionOqueeControleDeBens = nullptr;

    std::function<void()> showHomePage;
    std::function<void()> showFinPage;
    // The entries were rewritten behind the grid: show them and their figures anew.
    std::function<void()> entriesChanged;
    // The signed-in user's record changed: caption anew.
    std::function<void()> userChanged;
    // The user's data were replaced: open them again; false when that failed.
    std::function<bool()> reopenUser;
    // The installation was replaced (a general restore): a user signs in anew.
    std::function<void()> signInAgain;
    // Another period was chosen: its caption and figures.
    std::function<void()> periodChanged;
    // Gives the focus back to the page on show after a dialog.
    std::function<void()> focusPage;
};

} // namespace app
