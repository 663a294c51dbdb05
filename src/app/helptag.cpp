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

void wireHelp(QAbstractButton *button, int code, std::function<void()> before)
{
    setHelpTag(button, code);
    button->setEnabled(true);
    QObject::connect(button, &QAbstractButton::clicked, button, [button, before] {
        guarded([&] {
            if (before)
                before();
            openHelp(helpTag(button));
        });
    });
}

void wireHelp(QAction *action, int code, std::function<void()> before)
{
    setHelpTag(action, code);
    action->setEnabled(true);
    QObject::connect(action, &QAction::triggered, action, [action, before] {
        guarded([&] {
            if (before)
                before();
            openHelp(helpTag(action));
        });
    });
}

} // namespace app
