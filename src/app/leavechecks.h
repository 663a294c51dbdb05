// The checks "on leaving a field" of one dialog, behind one re-entrancy-guarded routine. A field
// is left when the focus moves from it to another control of the same dialog other than its way
// out (Cancel); a message box, a pop-up or another window taking the focus is not leaving. A
// refused field takes the focus back. Every OK/save handler calls checkFocused() first, because
// a mnemonic clicks without moving the focus.
//
// Make it a member of the dialog, not a child: members go before the dialog's widgets, so no
// focus change during the dialog's destruction reaches a check of a half-destroyed dialog.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace app {

class LeaveChecks : public QObject
{
public:
    // `check` runs the check of `field` and shows its message; false keeps the user in the
    // field. An exception from it is shown by the application-wide handler and refuses.
    using Check = std::function<bool(QWidget *field)>;
    LeaveChecks(QWidget *dialog, Check check);

    void watch(std::initializer_list<QWidget *> fields);
    // Moving the focus to `w` (the dialog's Cancel) is not leaving a field.
    void addWayOut(QWidget *w);
    // Whether a refused field gets its text selected as it takes the focus back (default yes).
    void setSelectOnRefusal(bool select) { m_select = select; }

    // The routine: runs the check of `field` unless a check is already running. On refusal the
    // field takes the focus back. True when the field may be left.
    bool leave(QWidget *field);
    // For OK/save handlers (`saveButton`: the button whose click runs it). Checks the field that
    // has the focus again; a field refused, unchanged since, as the click on `saveButton` took
    // the focus away has shown its message already and only keeps the focus. False when the save
    // must stop.
    bool checkFocused(QWidget *saveButton = nullptr);
    // Forgets a refusal: the dialog opens again for another record.
    void clearRefusal();
    // Puts the focus on `w` without the move counting as leaving a field.
    void focus(QWidget *w, bool select = true);

private:
    void onFocusChanged(QWidget *old, QWidget *now);

    QWidget *m_dialog;
    Check m_check;
    QList<QWidget *> m_fields;
    QList<QWidget *> m_wayOut;
    bool m_select = true;
    bool m_running = false;
    QPointer<QWidget> m_refused;       // the field refused last, until it passes
    QPointer<QWidget> m_refusedToward; // where the focus was going when it was refused
    QString m_refusedText;             // its text then
};

} // namespace app
