#include "mainactions.h"

#include "UOFX.h"
#include "importer.h"

#include <app/application.h>
#include <app/error.h>
#include <app/mainactions.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>

#include <QAction>

namespace ofx {

void setupMainActions(const app::MainActions &main, data::TDM &dm, ImportCommands commands)
{
    QObject::connect(commands.ActionImportarOFX, &QAction::triggered, main.window,
                     [main, &dm, c = commands] {
                         app::guarded([&] {
                             QUORVILA_SOFT_ASSERT(c.signedIn(), return );
                             main.showFinPage();
                             int imported = 0;
                             {
                                 TFormOFX dlg(dm, c.ctaView, main.window);
                                 dlg.adjustSize();
                                 app::placeBesideMainWindow(&dlg);
                                 dlg.exec();
                                 imported = dlg.imported();
                             }
                             if (imported <= 0) {
                                 main.focusPage();
                                 return;
                             }
                             {
                                 app::WaitCursor wait;
                                 c.sortByCode();
                             }
                             main.entriesChanged();
                             app::Mensagem(importedText(imported, dm.TbFin->asString("Obs")), 0);
                         });
                     });
    commands.ActionImportarOFX->setEnabled(true);
}

} // namespace ofx
