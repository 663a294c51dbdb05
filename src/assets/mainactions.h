// The main window's commands of the asset register: the page hosted in TabBens, the menu items
// and buttons of "Controle de &Bens" and the quick help's two codes for it. The window calls the
// page's signIn(), periodChanged() and signOut() at those moments.
#pragma once

#include <functional>

class QTabWidget;
class QWidget;

namespace app {
struct MainActions;
}
namespace data {
class TDM;
}
namespace entries {
class Session;
}

namespace assets {

class AssetsPage;

// Fills `tab` (the page at `pages`) with the assets page and wires main's asset commands, which
// it enables; `session()` is null while nobody is signed in, and the commands do nothing then.
AssetsPage *setupMainActions(const app::MainActions &main, data::TDM &dm,
                             std::function<entries::Session *()> session, QTabWidget *pages,
                             QWidget *tab);

} // namespace assets
