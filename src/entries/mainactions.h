// The main window's commands of the entries: the period button.
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
class TFormData;

// The period button opens `periodDialog` on the month page; a chosen period becomes the current
// period of the signed-in user's session (`session()`, null while nobody is signed in).
void setupMainActions(const app::MainActions &main, data::TDM &dm, TFormData &periodDialog,
                      std::function<Session *()> session);

} // namespace entries
