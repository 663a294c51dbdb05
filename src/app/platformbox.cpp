#include "platformbox.h"

#include <QMessageBox>

namespace app {

static std::function<void(const QString &, bool)> s_responder;

void setPlatformBoxResponder(std::function<void(const QString &, bool)> r)
{
    s_responder = std::move(r);
}

void platformBox(const QString &text, bool errorIcon, const QString &detail)
{
    if (s_responder)
        return s_responder(text, errorIcon);
    QMessageBox box(errorIcon ? QMessageBox::Critical : QMessageBox::Information,
                    "Quorvila", QString(text).replace("\r\n", "\n"),
                    QMessageBox::Ok);
    if (!detail.isEmpty())
        box.setDetailedText(QString(detail).replace("\r\n", "\n"));
    box.exec();
}

} // namespace app
