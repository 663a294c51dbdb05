// The platform's own message box, used only by the two start-up failures that happen before the
// program's own box may be used (another copy running, the information base missing).
#pragma once

#include <QString>

#include <functional>

namespace app {

// A non-empty `detail` goes under the box's "Show Details" button.
void platformBox(const QString &text, bool errorIcon, const QString &detail = {});
// While set, platformBox calls it instead of showing a box (tests).
void setPlatformBoxResponder(std::function<void(const QString &text, bool errorIcon)> r);

} // namespace app
