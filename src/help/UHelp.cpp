#include "UHelp.h"

#include "infocodes.h"
#include "pagecopy.h"

#include <app/application.h>
#include <app/helptag.h>
#include <data/UDM.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace help {

// The window as designed, before the placement by screen width.
static constexpr int kDesignWidth = 295;
static constexpr int kDesignHeight = 520;
static constexpr int kDesignTop = 5;

TFormHelp::TFormHelp(data::TDM &dm) : QWidget(nullptr, Qt::Window), m_dm(dm)
{
    setObjectName("TFormHelp");
    setWindowTitle("Ajuda do Sistema");
    setMinimumSize(280, 425);
    setStyleSheet("QWidget#TFormHelp { background: #D9EAD9; }");
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);
    buildTopBar();
    outer->addWidget(PanelTitulo);

    DBRichEdit1 = new QTextEdit;
    DBRichEdit1->setObjectName("DBRichEdit1");
    DBRichEdit1->setReadOnly(true);
    // Selecting with the mouse (for a partial copy) without a keyboard caret: a read-only text
    // shows no caret, yet the keys still scroll it.
    DBRichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    DBRichEdit1->setCursorWidth(0);
    DBRichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBRichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    DBRichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    DBRichEdit1->setFocusPolicy(Qt::StrongFocus);
    outer->addWidget(DBRichEdit1, 1);
    buildBottomBar();
    place();
    // Every modal screen of the program is seen here as it shows and hides.
    qApp->installEventFilter(this);
}

TFormHelp::~TFormHelp()
{
    qApp->removeEventFilter(this);
}

void TFormHelp::buildTopBar()
{
    PanelTitulo = new QWidget;
    PanelTitulo->setObjectName("PanelTitulo");
    PanelTitulo->setStyleSheet("QWidget#PanelTitulo { background: #ECF4EC; }");
    PanelTitulo->setAttribute(Qt::WA_StyledBackground);
    auto *l = new QHBoxLayout(PanelTitulo);
    l->setContentsMargins(6, 4, 6, 4);
    DBText1 = new QLabel;
    DBText1->setObjectName("DBText1");
    DBText1->setTextFormat(Qt::PlainText);
    // A long title is cut by the panel; its hint shows it whole.
    DBText1->setMinimumWidth(1);
    DBText1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont f = DBText1->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    DBText1->setFont(f);
    DBText1->setStyleSheet("color: #006000;");
    l->addWidget(DBText1, 1);
    BtMais = new QPushButton("Mais");
    BtMais->setObjectName("BtMais");
    BtMais->setEnabled(false);
    BtMais->setAutoDefault(false);
    l->addWidget(BtMais);
    Popup1 = new QMenu(this);
    Popup1->setObjectName("Popup1");
    for (int i = 0; i < kMaxRelated; ++i) {
        PU[i] = Popup1->addAction(QString());
        PU[i]->setObjectName(QString("PU%1").arg(i));
        PU[i]->setVisible(false);
        connect(PU[i], &QAction::triggered, this,
                [this, i] { app::guarded([this, i] { PU0Click(app::helpTag(PU[i])); }); });
    }
    connect(BtMais, &QPushButton::clicked, this, [this] { BtMaisClick(); });
}

void TFormHelp::buildBottomBar()
{
    const auto button = [this](const char *name, const QString &caption, const QString &hint) {
        auto *b = new QPushButton(caption);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setAutoDefault(false);
        return b;
    };
    BtCopy = button("BtCopy", "Copiar", "Copiar o Texto para a Área de Transferência");
    BtSaveRTF = button("BtSaveRTF", "Salvar RTF", "Salvar o Texto em Arquivo RTF");
    BtFechar = button("BtFechar", "Fechar", QString());
    auto *l = new QHBoxLayout;
    l->addWidget(BtCopy);
    l->addWidget(BtSaveRTF);
    l->addStretch();
    l->addWidget(BtFechar);
    static_cast<QVBoxLayout *>(layout())->addLayout(l);
    connect(BtCopy, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtCopiarSalvarClick(false); }); });
    connect(BtSaveRTF, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtCopiarSalvarClick(true); }); });
    connect(BtFechar, &QPushButton::clicked, this, &QWidget::close);
}

// Beside the main window on the right: on small screens lower and shorter, so that it clears the
// main window's menu bar and the task bar.
void TFormHelp::place()
{
    const QScreen *screen = QApplication::primaryScreen();
    const int sw = screen ? screen->geometry().width() : 1280;
    int left = 800, top = kDesignTop, height = kDesignHeight;
    if (sw <= 800) {
        top += 25;
        height -= 75;
        left = sw - 300;
    } else if (sw <= 1024) {
        left = sw - 305;
    }
    resize(kDesignWidth, height);
    move(left, top);
}

void TFormHelp::showPage(int code)
{
    data::Table *info = m_dm.TbInfo;
    if (!info->isActive() || info->isEmpty())
        return;
    info->locate("Codigo", qlonglong(code));
    adjust();
    followModal(isVisible());
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TFormHelp::adjust()
{
    data::Table *info = m_dm.TbInfo;
    if (!info->isActive() || info->isEmpty())
        return;
    switch (info->asInt("Tipo")) {
    case KindVerse:
        setWindowTitle("Texto Bíblico");
        break;
    case KindReflection:
        setWindowTitle("Reflexão");
        break;
    case KindArticle:
        setWindowTitle("Artigo");
        break;
    case KindHelp:
        setWindowTitle("Ajuda do Sistema");
        break;
    default:
        break; // any other kind keeps the caption of the page before
    }
    fillRelated(info->asString("TopicosRel"));
    const qint64 code = info->asInt("Codigo");
    const QString title = info->asString("Titulo");
    if (code != m_loadedCode) {
        DBText1->setText(title);
        DBRichEdit1->setHtml(info->asString("Texto"));
        m_loadedCode = code;
    }
    DBText1->setToolTip(title);
    // The first page shown is remembered as it is; another page starts at its top.
    if (!m_scrolledCode) {
        m_scrolledCode = code;
    } else if (*m_scrolledCode != code) {
        DBRichEdit1->verticalScrollBar()->setValue(0);
        m_scrolledCode = code;
    }
    DBRichEdit1->setFocus();
}

void TFormHelp::fillRelated(const QString &topicosRel)
{
    BtMais->setEnabled(false);
    for (QAction *a : PU)
        a->setVisible(false);
    const QList<int> codes = relatedCodes(topicosRel.trimmed());
    if (codes.isEmpty())
        return;
    // One bound parameter per code: the list is stored text and never becomes SQL.
    QStringList marks;
    QVariantList params;
    for (int c : codes) {
        marks << "?";
        params << qlonglong(c);
    }
    data::Statement st =
        m_dm.infoDb().prepare("SELECT Codigo, Titulo FROM " + m_dm.TbInfo->sqlName() +
                              " WHERE Codigo IN (" + marks.join(", ") + ") ORDER BY Codigo");
    st.bindAll(params);
    int n = 0;
    while (n < kMaxRelated && st.step()) {
        app::setHelpTag(PU[n], int(st.column(0).toLongLong()));
        PU[n]->setText(st.column(1).toString().replace('&', "&&"));
        PU[n]->setVisible(true);
        ++n;
    }
    BtMais->setEnabled(n > 0);
}

void TFormHelp::BtMaisClick()
{
    // Under the button, in screen coordinates from the window's frame.
    const QPoint at(pos().x() + PanelTitulo->x() + BtMais->x() + 11,
                    pos().y() + PanelTitulo->y() + BtMais->y() + 51);
    Popup1->popup(at);
}

void TFormHelp::PU0Click(qint64 code)
{
    data::Table *info = m_dm.TbInfo;
    info->disableControls();
    info->locate("Codigo", code);
    adjust();
    info->enableControls();
    DBRichEdit1->verticalScrollBar()->setValue(0);
}

void TFormHelp::BtCopiarSalvarClick(bool save)
{
    const PageText page{DBText1->text(), DBRichEdit1->toHtml()};
    if (save)
        savePage(page, MottoLetter::With, "Quorvila.RTF", this);
    else
        copyPage(page, MottoLetter::With, this);
    DBRichEdit1->setFocus();
}

bool TFormHelp::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        app::guarded([this] { adjust(); });
    return QWidget::event(e);
}

void TFormHelp::closeEvent(QCloseEvent *e)
{
    // Kept for the run: closing only hides the window.
    e->accept();
    hide();
}

bool TFormHelp::ownsWindow(const QWidget *w) const
{
    for (const QWidget *p = w; p; p = p->parentWidget())
        if (p == this)
            return true;
    return false;
}

bool TFormHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || !w->isWindow() || !w->isModal() || ownsWindow(w))
        return false;
    // After the modal screen is on screen (and, when it hides, gone from Qt's list of modal
    // windows), so that the viewer ends up above it and outside its blocking.
    const bool reopen = event->type() == QEvent::Show;
    QTimer::singleShot(0, this, [this, reopen] {
        if (isVisible())
            followModal(reopen);
    });
    return false;
}

void TFormHelp::followModal(bool reopen)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && ownsWindow(modal))
        return; // the viewer's own dialogs (save, messages) stay above it
    winId();    // the window handle exists from here on
    QWindow *wanted = modal ? modal->windowHandle() : nullptr;
    QWindow *self = windowHandle();
    if (self->transientParent() == wanted)
        return;
    self->setTransientParent(wanted);
    if (!reopen || !wanted || !isVisible())
        return;
    // Shown again as a window of the modal screen, it is outside the screen's blocking.
    const QRect g = geometry();
    hide();
    show();
    setGeometry(g);
    raise();
}

} // namespace help
