#include "mainactions.h"

#include "UBalCalc.h"

#include <app/application.h>
#include <app/error.h>
#include <app/mainactions.h>
#include <entries/session.h>

#include <QAction>

namespace ledger {

void setupMainActions(const app::MainActions &main, data::TDM &dm,
                      std::function<entries::Session *()> session)
{
    QObject::connect(main.ActionBalancete, &QAction::triggered, main.window, [main, &dm, session] {
        app::guarded([&] {
            entries::Session *s = session();
            QUORVILA_SOFT_ASSERT(s, return );
            main.showFinPage();
            {
                TFormBalCalc dlg(dm, s->period().DtIni, s->period().DtFim, main.window);
                dlg.exec();
            }
            main.focusPage();
        });
    });
}

} // namespace ledger
