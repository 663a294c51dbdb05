#include "mensagem.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace app {

static MensagemResponder s_responder;
// Guarded: the main window may go before the last dialog placed over it.
static QPointer<QWidget> s_mainWindow;

void setMensagemResponder(MensagemResponder responder)
{
    s_responder = std::move(responder);
}

void setMainWindow(QWidget *w)
{
    s_mainWindow = w;
}

QWidget *mainWindow()
{
    return s_mainWindow;
}

void placeDialog(QWidget *dialog, QWidget *over)
{
    if (!over)
        over = QApplication::activeWindow();
    if (!over || over == dialog)
        over = s_mainWindow;
    dialog->adjustSize();
    QPoint centre;
    if (over && over->isVisible()) {
        centre = over->frameGeometry().center();
        if (over == s_mainWindow)
            centre += QPoint(68, -19);
    } else if (QScreen *s = QApplication::primaryScreen()) {
        centre = s->availableGeometry().center();
    }
    dialog->move(centre - QPoint(dialog->width() / 2, dialog->height() / 2));
}

namespace {

// The box itself: information icon, caption "Quorvila", #D9EAD9 body, a 41-pixel #ECF4EC
// button band under a 2-pixel line, buttons 9 pixels lower than a standard box would put them.
class MensagemDialog : public QDialog
{
public:
    MensagemDialog(const QString &text, int kind, QWidget *parent) : QDialog(parent)
    {
        setObjectName("Mensagem");
        setWindowTitle("Quorvila");
        setStyleSheet("QDialog#Mensagem { background: #D9EAD9; }");
        auto *body = new QHBoxLayout;
        auto *icon = new QLabel;
        icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
        icon->setAlignment(Qt::AlignTop);
        auto *label = new QLabel(QString(text).replace("\r\n", "\n"));
        label->setObjectName("LabelMensagem");
        label->setTextFormat(Qt::PlainText);
        body->addWidget(icon);
        body->addSpacing(12);
        body->addWidget(label, 1);
        body->setContentsMargins(16, 16, 20, 16);

        auto *line = new QFrame;
        line->setFixedHeight(2);
        line->setStyleSheet("background: #A9C4A9;");
        auto *band = new QFrame;
        band->setObjectName("BandBotoes");
        band->setFixedHeight(41);
        band->setStyleSheet("QFrame#BandBotoes { background: #ECF4EC; border: none; }");
        auto *buttons = new QHBoxLayout(band);
        buttons->setContentsMargins(10, 9, 10, 0);
        buttons->addStretch();
        if (kind == 1 || kind == 2) {
            m_yes = addButton(buttons, "&Sim", "BtYes");
            m_no = addButton(buttons, "&Não", "BtNo");
            m_default = kind == 1 ? m_yes : m_no;
        } else {
            m_ok = addButton(buttons, "OK", "BtOk");
            m_default = m_ok;
        }
        buttons->addStretch();
        auto *outer = new QVBoxLayout(this);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->setSpacing(0);
        outer->addLayout(body);
        outer->addWidget(line);
        outer->addWidget(band);
        m_default->setDefault(true);
        setFixedSize(sizeHint().expandedTo(QSize(260, 0)));
    }

    MsgButton answer() const { return m_answer; }

protected:
    void showEvent(QShowEvent *e) override
    {
        QDialog::showEvent(e);
        // Enter answers the default button, so it must hold the focus when the box appears.
        m_default->setFocus();
    }

private:
    QPushButton *addButton(QHBoxLayout *l, const QString &caption, const QString &name)
    {
        auto *b = new QPushButton(caption);
        b->setObjectName(name);
        b->setAutoDefault(true);
        l->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, b] {
            m_answer = b == m_yes ? MsgButton::Yes : b == m_no ? MsgButton::No : MsgButton::Ok;
            accept();
        });
        return b;
    }

    QPushButton *m_ok = nullptr;
    QPushButton *m_yes = nullptr;
    QPushButton *m_no = nullptr;
    QPushButton *m_default = nullptr;
    // Closing the box without a button counts as its safe answer.
    MsgButton m_answer = MsgButton::No;
};

} // namespace

MsgButton Mensagem(const QString &text, int kind)
{
    if (kind != 1 && kind != 2)
        kind = 0;
    if (s_responder)
        return s_responder(text, kind);
    QWidget *over = QApplication::activeWindow();
    MensagemDialog box(text, kind, over ? over : s_mainWindow.data());
    placeDialog(&box, over);
    box.exec();
    if (kind == 0)
        return MsgButton::Ok;
    return box.answer();
}

} // namespace app
