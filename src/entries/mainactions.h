// The main window's commands of the entries: the period button.
#pragma once

namespace app {
struct MainActions;
}
namespace data {
class TDM;
}

namespace entries {

class TFormData;

// The period button opens `periodDialog` on the month page; a chosen period becomes current.
void setupMainActions(const app::MainActions &main, data::TDM &dm, TFormData &periodDialog);

} // namespace entries
