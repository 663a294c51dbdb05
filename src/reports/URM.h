// The report module TRM: what a screen uses to print. The screen fills the report's data views
// (from the data module's table objects or from its own query rows), sets the named parameters,
// and runs the report by name; TRM adds the signed-in user (DvUser) and hands the laid-out
// document to the output dialogs. It keeps nothing between screens: each print starts anew.
#pragma once

#include "catalogue.h"
#include "dataview.h"

class QWidget;

namespace data {
class TDM;
}

namespace reports {

class TRM
{
public:
    TRM(data::TDM &dm, QWidget *window);

    void setParameter(const QString &name, const QString &text);
    void setDataView(const QString &name, DataView view);
    // True when the data the report prints is missing or empty: the caller shows its message.
    bool isEmpty(const QString &report) const { return m_catalogue.isEmpty(report); }

    // Lays the report out under the status window, offers the print options and sends it to the
    // preview, the printer or a PDF file; returns when the user has finished with it. Throws
    // app::Error for an unknown report, missing or empty data, a parameter that does not convert
    // and a file that cannot be written; callers run it through app::guarded, so the text reaches
    // the application's error handler.
    void run(const QString &name);

private:
    data::TDM &m_dm;
    QWidget *m_window;
    Catalogue m_catalogue;
};

} // namespace reports
