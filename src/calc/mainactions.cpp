#include "mainactions.h"

#include "UMatFin.h"

#include <app/application.h>
#include <app/mainactions.h>
#include <app/mensagem.h>

#include <QAction>

namespace calc {

void openCalculators(const app::MainActions &main, data::TDM &dm)
{
    app::guarded([&] {
        if (main.showHomePage)
            main.showHomePage();
        {
            TFormMatFin form(dm, main.window);
            app::placeBesideMainWindow(&form);
            form.exec();
        }
        if (main.focusPage)
            main.focusPage();
    });
}

void setupMainActions(const app::MainActions &main, data::TDM &dm)
{
    if (!main.ActionMatFin)
        return;
    main.ActionMatFin->setEnabled(true);
    QObject::connect(main.ActionMatFin, &QAction::triggered, main.window,
                     [main, &dm] { openCalculators(main, dm); });
}

} // namespace calc
