// The application object: the last safety net for errors that reach the event loop. Any
// exception a handler let through is passed to the application-wide error handler and the
// program goes on.
#pragma once

#include <QApplication>

#include <functional>

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
// Shows an exception's text through the application-wide error handler.
void showError(const std::exception &e);
// Installs the application-wide error handler; the shell sets the data module's AppException.
// An empty handler restores the default: every wait cursor goes and the text shows in a kind-0
// message.
// It gets the text the user reads and the technical detail (empty when there is none).
void setErrorHandler(std::function<void(const QString &, const QString &)> handler);

} // namespace app
