// The main window's command of the calculators: "&Cálculos Financeiros" (the menu item, the side
// button and quick help's code 7) opens TFormMatFin beside the main window.
#pragma once

namespace app {
struct MainActions;
}
namespace data {
class TDM;
}

namespace calc {

void setupMainActions(const app::MainActions &main, data::TDM &dm);

// The command itself: the main window's first tab, then the calculator screen, modal.
void openCalculators(const app::MainActions &main, data::TDM &dm);

} // namespace calc
