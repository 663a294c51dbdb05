// The progress window TFormUserFiles of backups, restores and reindexing: two centred lines and a
// bar, no title-bar buttons. The caller sets the caption and the lines, shows it, and runs the
// work with progress() as its callback, which moves the bar and lets the window repaint (user
// input stays blocked: the window is application-modal while it is up).
#pragma once

#include "backupfile.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace users {

class TFormUserFiles : public QDialog
{
    Q_OBJECT
public:
    explicit TFormUserFiles(QWidget *parent = nullptr);

    // Caption and lines, then shown without waiting; the bar starts at 0.
    void start(const QString &caption, const QString &line1, const QString &line2);
    // Moves the bar to done/total and processes pending paint events.
    Progress progress();
    // Sets the bar to its end and hides the window.
    void finish();

    // 1 when a restore was completed (set by the caller), reset to 0 each time it is shown.
    int Tag = 0;

protected:
    void showEvent(QShowEvent *e) override;

private:
    QLabel *m_label1, *m_label2;
    QProgressBar *m_bar;
};

} // namespace users
