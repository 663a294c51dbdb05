// The main window's commands of the chart of accounts and the standard histories.
#pragma once

namespace app {
struct MainActions;
}
namespace data {
class TDM;
}

namespace accounts {

// "Plano de Contas" and "Históricos" open their screens over the entries page.
void setupMainActions(const app::MainActions &main, data::TDM &dm);

} // namespace accounts
