// The main window's commands of the entry search and the upcoming entries: "&Pesquisar" and
// "P&róximos Dias" open their screens modally over the window; an entry chosen there becomes
// the current entry of the main list, in date order.
#pragma once

#include <QtGlobal>

#include <functional>

class QAbstractButton;

namespace accounts {
class TFormCtaView;
}
namespace app {
struct MainActions;
}
namespace data {
class TDM;
}

namespace entries {

class Session;

struct SearchCommands
{
    QAbstractButton *BtPesquisar = nullptr, *BtProximos = nullptr;
    accounts::TFormCtaView *ctaView = nullptr; // the window's account look-up
    std::function<Session *()> session;        // null while nobody is signed in
    // Makes entry `codigo` the main list's current entry, the list in date order.
    std::function<void(qint64 codigo)> showEntry;
};

// The two screens are made at their first use in a session and kept while it lasts, so the
// search keeps its criteria and result between showings; a new session (another user) starts
// them anew.
void setupSearchActions(const app::MainActions &main, data::TDM &dm, SearchCommands commands);

} // namespace entries
