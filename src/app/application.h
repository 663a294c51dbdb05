// The application object: the last safety net for errors that reach the event loop. Any
// exception a handler let through is passed to TDM.AppException (cursor reset, kind-0 message)
// and the program goes on.
#pragma once

#include <QApplication>

namespace app {

class Application : public QApplication
{
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Runs `work`, turning any exception into the handler's message. For slots and lambdas that
// call rule code, so that nothing crosses the event loop. Returns false when it failed.
bool guarded(const std::function<void()> &work);
// Shows an exception's text the way the application-wide handler does.
void showError(const std::exception &e);

} // namespace app
