#include "mensagem.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

static MensagemResponder s_responder;
static MensagemDetailResponder s_detailResponder;
// Guarded: the main window may go before the last dialog placed over it.
static QPointer<QWidget> s_mainWindow;

void setMensagemResponder(MensagemResponder responder)
{
    s_responder = std::move(responder);
}

void setMensagemDetailResponder(MensagemDetailResponder responder)
{
    s_detailResponder = std::move(responder);
}

void setMainWindow(QWidget *w)
{
    s_mainWindow = w;
}

QWidget *mainWindow()
{
    return s_mainWindow;
}

void placeDialog(QWidget *dialog, QWidget *over, QPoint shift)
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
            centre += shift;
    } else if (QScreen *s = QApplication::primaryScreen()) {
        centre = s->availableGeometry().center();
    }
    dialog->move(centre - QPoint(dialog->width() / 2, dialog->height() / 2));
}

void placeBesideMainWindow(QWidget *screen)
{
    if (!s_mainWindow || !s_mainWindow->isVisible()) {
        placeDialog(screen, nullptr);
        return;
    }
    const QRect main = s_mainWindow->frameGeometry();
    // Before the first show a window has no frame yet: its frame is as wide as itself.
    const int width = screen->frameGeometry().width();
    int left = main.right() - 4 - width + 1;
    // A screen wider than the main window keeps its left edge on the display.
    if (const QScreen *display = s_mainWindow->screen())
        left = std::max(left, display->availableGeometry().left());
    screen->move(left, main.top() + 5);
}

namespace {

// The room a box may take: the screen it opens on, less a margin.
QSize screenRoom(QWidget *over)
{
    QScreen *screen = over ? over->screen() : QApplication::primaryScreen();
    if (!screen)
        return QSize(1024, 768);
    return screen->availableGeometry().size() - QSize(40, 40);
}

// The box itself: information icon, caption "Quorvila", #D9EAD9 body, a 41-pixel #ECF4EC
// button band under a 2-pixel line, buttons 9 pixels lower than a standard box would put them.
// With a detail, a "Detalhes" button at the band's left shows or hides it under the text.
class MensagemDialog : public QDialog
{
public:
    MensagemDialog(const QString &text, int kind, const QString &detail, QWidget *parent)
        : QDialog(parent)
    {
        setObjectName("Mensagem");
        setWindowTitle("Quorvila");
        setStyleSheet("QDialog#Mensagem { background: #D9EAD9; }");
        auto *body = new QHBoxLayout;
        auto *icon = new QLabel;
        icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
        icon->setAlignment(Qt::AlignTop);
        const QString shown = QString(text).replace("\r\n", "\n");
        auto *label = new QLabel(shown);
        label->setObjectName("LabelMensagem");
        label->setTextFormat(Qt::PlainText);
        // A text wider than the screen allows (long lines of someone else's words) is wrapped;
        // the program's own texts keep their line breaks as written.
        m_room = screenRoom(parent);
        const int maxText = qMin(640, m_room.width() - 120);
        if (label->fontMetrics().boundingRect(QRect(0, 0, 100000, 100000), 0, shown).width() >
            maxText) {
            label->setWordWrap(true);
            label->setFixedWidth(maxText);
        }
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
        if (!detail.isEmpty()) {
            m_details = new QPlainTextEdit(QString(detail).replace("\r\n", "\n"));
            m_details->setObjectName("TextDetalhes");
            m_details->setReadOnly(true);
            m_details->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            m_details->setFixedHeight(qMin(140, m_room.height() / 4));
            m_details->setMinimumWidth(360);
            m_details->setMaximumWidth(qMin(640, m_room.width() - 40));
            m_details->hide();
            auto *toggle = new QPushButton("&Detalhes >>");
            toggle->setObjectName("BtDetalhes");
            toggle->setAutoDefault(false);
            buttons->addWidget(toggle);
            connect(toggle, &QPushButton::clicked, this, [this, toggle] {
                m_details->setVisible(!m_details->isVisible());
                toggle->setText(m_details->isVisible() ? "&Detalhes <<" : "&Detalhes >>");
                fitSize();
            });
        }
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
        if (m_details) {
            auto *box = new QHBoxLayout;
            box->setContentsMargins(16, 0, 16, 12);
            box->addWidget(m_details);
            outer->addLayout(box);
        }
        outer->addWidget(line);
        outer->addWidget(band);
        m_default->setDefault(true);
        fitSize();
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
    void fitSize()
    {
        layout()->activate();
        setFixedSize(sizeHint().expandedTo(QSize(260, 0)).boundedTo(m_room));
    }

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
    QPlainTextEdit *m_details = nullptr;
    QSize m_room;
    // Closing the box without a button counts as its safe answer.
    MsgButton m_answer = MsgButton::No;
};

} // namespace

MsgButton Mensagem(const QString &text, int kind, const QString &detail)
{
    if (kind != 1 && kind != 2)
        kind = 0;
    if (s_detailResponder)
        return s_detailResponder(text, kind, detail);
    if (s_responder)
        return s_responder(text, kind);
    QWidget *over = QApplication::activeWindow();
    MensagemDialog box(text, kind, detail, over ? over : s_mainWindow.data());
    placeDialog(&box, over);
    box.exec();
    if (kind == 0)
        return MsgButton::Ok;
    return box.answer();
}

} // namespace app
