#include "USplash.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace app {

TFormSplash::TFormSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName("TFormSplash");
    setFixedSize(485, 112);
    setAutoFillBackground(true);
    setStyleSheet("QWidget#TFormSplash { background: #D9EAD9; }");
    auto *label = new QLabel("Inicializando Quorvila :: Finanças Pessoais...");
    label->setObjectName("LabelSplash");
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    auto *l = new QVBoxLayout(this);
    l->addWidget(label);
    if (const QScreen *s = QApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void TFormSplash::showNow()
{
    show();
    repaint();
    QApplication::processEvents();
}

} // namespace app
