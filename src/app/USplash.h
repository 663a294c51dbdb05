// The splash window shown from the very start until the sign-in dialog first appears.
#pragma once

#include <QWidget>

namespace app {

class TFormSplash : public QWidget
{
public:
    TFormSplash();
    // Shows the window and paints it at once, before anything slow runs.
    void showNow();
};

} // namespace app
