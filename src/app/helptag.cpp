#include "helptag.h"

#include "application.h"

#include <QAbstractButton>
#include <QAction>
#include <QVariant>

namespace app {

static std::function<void(int)> &opener()
{
    static std::function<void(int)> s_opener;
    return s_opener;
}

void setHelpOpener(std::function<void(int code)> f)
{
    opener() = std::move(f);
}

void openHelp(int code)
{
    if (opener())
        opener()(code);
}

int helpTag(const QObject *control)
{
    return control ? control->property("Tag").toInt() : 0;
}

void setHelpTag(QObject *control, int code)
{
    control->setProperty("Tag", code);
}

// What pressing a help control does: the screen's own step, then the page the control carries.
static void pressHelp(const QObject *control, const std::function<void()> &before)
{
    guarded([&] {
        if (before)
            before();
        openHelp(helpTag(control));
    });
}

void wireHelp(QAbstractButton *button, int code, std::function<void()> before)
{
    setHelpTag(button, code);
    button->setEnabled(true);
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [button, before] { pressHelp(button, before); });
}

void wireHelp(QAction *action, int code, std::function<void()> before)
{
    setHelpTag(action, code);
    action->setEnabled(true);
    QObject::connect(action, &QAction::triggered, action,
                     [action, before] { pressHelp(action, before); });
}

} // namespace app
