#include "mainactions.h"

#include "UCta.h"
#include "UHsto.h"

#include <app/application.h>
#include <app/mainactions.h>
#include <data/UDM.h>

#include <QAction>

namespace accounts {

template <class Screen> static void openOverEntries(const app::MainActions &main, data::TDM &dm)
{
    app::guarded([&] {
        main.showFinPage();
        {
            Screen dlg(dm, main.window);
            dlg.exec();
        }
        // Renumbering a reduced code rewrites entries: show them and their figures anew.
        dm.TbFin->refresh();
        main.entriesChanged();
    });
}

void setupMainActions(const app::MainActions &main, data::TDM &dm)
{
    QObject::connect(main.ActionPlanoCta, &QAction::triggered, main.window,
                     [main, &dm] { openOverEntries<TFormCta>(main, dm); });
    QObject::connect(main.ActionHsto, &QAction::triggered, main.window,
                     [main, &dm] { openOverEntries<TFormHsto>(main, dm); });
}

} // namespace accounts
