#include "viewer.h"

#include "UHelp.h"

#include <app/helptag.h>

#include <QPointer>

namespace help {

static QPointer<TFormHelp> s_viewer;

void setViewer(TFormHelp *v)
{
    s_viewer = v;
    if (v)
        app::setHelpOpener([](int code) { openPage(code); });
    else
        app::setHelpOpener(nullptr);
}

TFormHelp *viewer()
{
    return s_viewer;
}

void openPage(int code)
{
    if (s_viewer)
        s_viewer->showPage(code);
}

} // namespace help
