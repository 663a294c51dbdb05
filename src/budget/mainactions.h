// The main window's command of this folder: "&Orçamento" (and its button) opens the budget screen
// over the entries page on the month of the signed-in user's period.
#pragma once

#include <functional>

namespace app {
struct MainActions;
}
namespace data {
class TDM;
}
namespace entries {
class Session;
}

namespace budget {

// `session()` is null while nobody is signed in; the command does nothing then.
void setupMainActions(const app::MainActions &main, data::TDM &dm,
                      std::function<entries::Session *()> session);

} // namespace budget
