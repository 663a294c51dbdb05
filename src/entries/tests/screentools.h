// Small helpers the entries screen tests share: finding named controls, answering a modal screen
// once it is up, and collecting the messages the screens show.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

template <class T> T *child(QWidget *parent, const char *name)
{
    T *w = parent->findChild<T *>(name);
    if (!w)
        qFatal("no child %s", name);
    return w;
}

// Runs `act` on the modal screen of type T as soon as it is shown.
template <class T> void whenModal(std::function<void(T *)> act)
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
}

int runPeriodDialogTests(int argc, char **argv);
int runEntryEditorTests(int argc, char **argv);
