// For the screen tests of every folder: plays the user at the next modal dialog. A modal
// dialog runs its own event loop, so the test acts on it from a timer once it is on screen.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

// Runs `act` on the next modal dialog of type T to come up; the returned timer may be deleted
// to stop waiting.
template <class T = QWidget> QTimer *whenModal(std::function<void(T *)> act)
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto *w = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!w || !w->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(w);
    });
    timer->start(5);
    return timer;
}

inline void atNextDialog(std::function<void(QWidget *)> act)
{
    whenModal<QWidget>(std::move(act));
}

} // namespace testsupport
