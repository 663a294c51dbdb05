#include "mainactions.h"

#include "UData.h"
#include "period.h"

#include <app/application.h>
#include <app/mainactions.h>
#include <data/UDM.h>

#include <QAbstractButton>

namespace entries {

void setupMainActions(const app::MainActions &main, data::TDM &dm, TFormData &periodDialog)
{
    QObject::connect(main.BtPeriodo, &QAbstractButton::clicked, main.window,
                     [main, &dm, d = &periodDialog] {
                         app::guarded([&] {
                             d->setMonthDate(period().DtIni);
                             d->setPageSet(1);
                             d->Tag = 1;
                             if (d->exec() == QDialog::Accepted) {
                                 adoptChosenPeriod(dm);
                                 main.periodChanged();
                             }
                             main.focusPage();
                         });
                     });
}

} // namespace entries
