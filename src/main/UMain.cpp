#include "UMain.h"

#include <QApplication>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace main_ui {

static const char *kTitle = "Quorvila :: Finanças Pessoais";

TFormMainQuorvila_Zx3307::TFormMainQuorvila_Zx3307(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("TFormMainQuorvila_Zx3307");
    setWindowTitle(kTitle);
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(774, 554);
    // On small screens the window starts at the very top.
    const QScreen *screen = QApplication::primaryScreen();
    const bool small = screen && screen->geometry().width() <= 800;
    move(10, small ? 0 : 5);
}

void TFormMainQuorvila_Zx3307::setSignedInCaption(const QString &cod, const QString &nome)
{
    setWindowTitle(QString(kTitle) + "  [" + cod + "  " + nome + "]");
}

void TFormMainQuorvila_Zx3307::clearSignedInCaption()
{
    setWindowTitle(kTitle);
}

void TFormMainQuorvila_Zx3307::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    // After the window is on screen, so the sign-in dialog opens over it.
    QTimer::singleShot(0, this, &TFormMainQuorvila_Zx3307::firstShown);
}

} // namespace main_ui
