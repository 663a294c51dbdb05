// The main window's command of this folder: "Importar &OFX" opens the import screen beside the
// window on the entries page and, after an import, shows the entries anew with their figures and
// the closing message.
#pragma once

#include <functional>

class QAction;

namespace accounts {
class TFormCtaView;
}
namespace app {
struct MainActions;
}
namespace data {
class TDM;
}

namespace ofx {

struct ImportCommands
{
    QAction *ActionImportarOFX = nullptr;
    accounts::TFormCtaView *ctaView = nullptr;
    std::function<bool()> signedIn;
    // After an import: the entries list ordered by code, on the entry the table object is on.
    std::function<void()> sortByCode;
};

void setupMainActions(const app::MainActions &main, data::TDM &dm, ImportCommands commands);

} // namespace ofx
