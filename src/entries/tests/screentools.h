// Small helpers the entries screen tests share: finding named controls, answering a modal screen
// once it is up, and collecting the messages the screens show.
#pragma once

#include <app/tests/modaldriver.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

using testsupport::whenModal;

template <class T> T *child(QWidget *parent, const char *name)
{
    T *w = parent->findChild<T *>(name);
    if (!w)
        qFatal("no child %s", name);
    return w;
}

int runPeriodDialogTests(int argc, char **argv);
int runEntryEditorTests(int argc, char **argv);
int runSearchScreenTests(int argc, char **argv);
