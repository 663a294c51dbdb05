#include "mainactions.h"

#include "UOrcCalc.h"

#include <app/application.h>
#include <app/error.h>
#include <app/mainactions.h>
#include <entries/session.h>

#include <QAction>

namespace budget {

void setupMainActions(const app::MainActions &main, data::TDM &dm,
                      std::function<entries::Session *()> session)
{
    QObject::connect(main.ActionOrcamento, &QAction::triggered, main.window, [main, &dm, session] {
        app::guarded([&] {
            entries::Session *s = session();
            QUORVILA_SOFT_ASSERT(s, return );
            main.showFinPage();
            {
                TFormOrcCalc dlg(dm, s->period().DtIni, main.window);
                dlg.exec();
            }
            main.focusPage();
        });
    });
}

} // namespace budget
