#include "application.h"

#include "error.h"
#include "mensagem.h"
#include "waitcursor.h"

namespace app {

static std::function<void(const QString &, const QString &)> &errorHandler()
{
    static std::function<void(const QString &, const QString &)> handler;
    return handler;
}

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

void setErrorHandler(std::function<void(const QString &, const QString &)> handler)
{
    errorHandler() = std::move(handler);
}

void showError(const std::exception &e)
{
    const auto *err = dynamic_cast<const Error *>(&e);
    const QString text = err ? err->text() : QString::fromLocal8Bit(e.what());
    const QString detail = err ? err->detail() : QString();
    if (const auto &handler = errorHandler()) {
        handler(text, detail);
        return;
    }
    WaitCursor::restoreAll();
    Mensagem(text, 0, detail);
}

bool guarded(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const std::exception &e) {
        showError(e);
    }
    return false;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        showError(e);
    } catch (...) {
        showError(std::runtime_error("Erro inesperado."));
    }
    return false;
}

} // namespace app
