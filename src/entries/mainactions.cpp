#include "mainactions.h"

#include "UData.h"
#include "period.h"
#include "session.h"

#include <app/application.h>
#include <app/error.h>
#include <app/mainactions.h>
#include <data/UDM.h>

#include <QAbstractButton>

namespace entries {

void setupMainActions(const app::MainActions &main, data::TDM &dm, TFormData &periodDialog,
                      std::function<Session *()> session)
{
    QObject::connect(main.BtPeriodo, &QAbstractButton::clicked, main.window,
                     [main, &dm, d = &periodDialog, session] {
                         app::guarded([&] {
                             Session *s = session();
                             QUORVILA_SOFT_ASSERT(s, return );
                             d->setMonthDate(s->period().DtIni);
                             d->setPageSet(1);
                             d->Tag = 1;
                             if (d->exec() == QDialog::Accepted) {
                                 adoptChosenPeriod(s->period(), *dm.TbUser, d->chosen());
                                 main.periodChanged();
                             }
                             main.focusPage();
                         });
                     });
}

} // namespace entries
