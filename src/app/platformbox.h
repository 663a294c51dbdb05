// The platform's own message box, used only by the two start-up failures that happen before the
// program's own box may be used (another copy running, the information base missing).
#pragma once

#include <QString>

#include <functional>

namespace app {

void platformBox(const QString &text, bool errorIcon);
// While set, platformBox calls it instead of showing a box (tests).
void setPlatformBoxResponder(std::function<void(const QString &text, bool errorIcon)> r);

} // namespace app
