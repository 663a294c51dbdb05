// The page codes of help controls and the one way they open a page. Every help button and help
// command carries its information-base page code in its "Tag" property; pressing it hands the
// code to the opener that the help viewer installs. It sits at the bottom of the screens so that
// every folder wires its help controls without knowing the viewer; it shows nothing itself.
#pragma once

#include <functional>

class QAbstractButton;
class QAction;
class QObject;

namespace app {

// Installs the function that opens a page by code (the help viewer's); empty removes it.
void setHelpOpener(std::function<void(int code)> opener);
// Opens the page through the installed opener; without one nothing happens.
void openHelp(int code);

// The code a control carries (0 when it carries none), and setting it.
int helpTag(const QObject *control);
void setHelpTag(QObject *control, int code);

// Gives the control its code and makes pressing it open the page of the code it carries at that
// moment (a screen may change the code later, as the preferences do with their third page).
// `before` runs first, for screens that hide a search panel before the help comes up.
void wireHelp(QAbstractButton *button, int code, std::function<void()> before = {});
void wireHelp(QAction *action, int code, std::function<void()> before = {});

} // namespace app
