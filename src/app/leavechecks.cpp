#include "leavechecks.h"

#include "application.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

namespace app {

static QString textOf(const QWidget *w)
{
    const auto *e = qobject_cast<const QLineEdit *>(w);
    return e ? e->text() : QString();
}

LeaveChecks::LeaveChecks(QWidget *dialog, Check check) : m_dialog(dialog), m_check(std::move(check))
{
    // The connection ends with this object, which the dialog destroys before its widgets.
    connect(qApp, &QApplication::focusChanged, this, &LeaveChecks::onFocusChanged);
}

void LeaveChecks::watch(std::initializer_list<QWidget *> fields)
{
    m_fields.append(QList<QWidget *>(fields));
}

void LeaveChecks::addWayOut(QWidget *w)
{
    m_wayOut << w;
}

void LeaveChecks::onFocusChanged(QWidget *old, QWidget *now)
{
    // Reported once the focus change is complete, so a refused field may take the focus back
    // at once.
    if (!m_fields.contains(old) || !now || now->window() != m_dialog || !m_dialog->isVisible() ||
        m_wayOut.contains(now))
        return;
    if (!leave(old))
        m_refusedToward = now;
}

bool LeaveChecks::leave(QWidget *field)
{
    if (m_running)
        return true;
    m_running = true;
    bool ok = false;
    guarded([&] { ok = m_check(field); });
    m_running = false;
    m_refusedToward = nullptr;
    if (ok) {
        if (m_refused == field)
            m_refused = nullptr;
        return true;
    }
    m_refused = field;
    m_refusedText = textOf(field);
    focus(field, m_select);
    return false;
}

bool LeaveChecks::checkFocused(QWidget *saveButton)
{
    QWidget *focused = m_dialog->focusWidget();
    if (saveButton && m_refused && m_refusedToward == saveButton &&
        textOf(m_refused) == m_refusedText) {
        m_refusedToward = nullptr;
        focus(m_refused, m_select);
        return false;
    }
    if (m_fields.contains(focused))
        return leave(focused);
    if (m_refused) {
        focus(m_refused, m_select);
        return false;
    }
    return true;
}

void LeaveChecks::clearRefusal()
{
    m_refused = nullptr;
    m_refusedToward = nullptr;
}

void LeaveChecks::focus(QWidget *w, bool select)
{
    const bool running = m_running;
    m_running = true; // moving the focus back is not leaving a field
    w->setFocus(Qt::OtherFocusReason);
    m_running = running;
    if (auto *e = qobject_cast<QLineEdit *>(w); e && select)
        e->selectAll();
}

} // namespace app
