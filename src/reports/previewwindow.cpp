#include "previewwindow.h"

#include "document.h"
#include "pagepaint.h"
#include "statuswindow.h"

#include <app/application.h>
#include <app/error.h>
#include <app/mensagem.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace reports {

namespace {

constexpr std::array kZoomSteps{10, 25, 50, 75, 85, 100, 125, 150, 200, 300, 400};
constexpr int kMinZoom = kZoomSteps.front();
constexpr int kMaxZoom = kZoomSteps.back();

} // namespace

PageView::PageView(const Document &doc, QWidget *parent) : QWidget(parent), m_doc(doc)
{
    setObjectName("PageView");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

qreal PageView::pixelsPerPoint() const
{
    return logicalDpiX() / qreal(kPointsPerInch);
}

QSizeF PageView::pageSizePoints() const
{
    return m_doc.pageLayout().fullRect(QPageLayout::Point).size();
}

void PageView::showPage(int index, qreal zoom)
{
    m_page = index;
    m_zoom = zoom;
    m_image = QImage();
    setFixedSize((pageSizePoints() * pixelsPerPoint() * zoom).toSize());
    update();
}

// The image has the 72-dpi resolution every output gives the Document's painter, so that its
// point-sized fonts come out at their size; the zoom and the screen's resolution are the
// painter's scale.
void PageView::render()
{
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    m_image.setDotsPerMeterX(qRound(kPointsPerInch / 0.0254));
    m_image.setDotsPerMeterY(qRound(kPointsPerInch / 0.0254));
    m_image.fill(Qt::white);
    if (m_page >= 0 && m_page < m_doc.pageCount()) {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        app::noThrow("preview page",
                     [&] { paintPage(m_doc, m_page, painter, pixelsPerPoint() * m_zoom * ratio); });
    }
    m_image.setDevicePixelRatio(ratio);
}

void PageView::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        render();
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

PreviewWindow::PreviewWindow(const Document &doc, QPrinter &printer, const OutputOptions &options,
                             QWidget *parent)
    : QDialog(parent), m_doc(doc), m_printer(printer), m_options(options)
{
    setObjectName("PreviewWindow");
    setWindowTitle("Quorvila :: Relatórios");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *bar = new QHBoxLayout;
    m_first = addButton("BtFirst", "|◀", "Primeira página");
    m_prior = addButton("BtPrior", "◀", "Página anterior");
    m_pageEdit = new QSpinBox(this);
    m_pageEdit->setObjectName("EditPage");
    m_pageEdit->setRange(1, std::max(1, doc.pageCount()));
    m_pageEdit->setKeyboardTracking(false);
    auto *pageLabel = new QLabel("&Página:", this);
    pageLabel->setBuddy(m_pageEdit);
    m_pageCount = new QLabel(this);
    m_pageCount->setObjectName("LabelPageCount");
    m_next = addButton("BtNext", "▶", "Próxima página");
    m_last = addButton("BtLast", "▶|", "Última página");
    auto *zoomOutButton = addButton("BtZoomOut", "−", "Diminuir o zoom");
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setObjectName("LabelZoom");
    m_zoomLabel->setMinimumWidth(40);
    m_zoomLabel->setAlignment(Qt::AlignCenter);
    auto *zoomInButton = addButton("BtZoomIn", "+", "Aumentar o zoom");
    auto *fitButton = addButton("BtFitWidth", "↔", "Ajustar à largura da janela");
    auto *printButton = new QPushButton("&Imprimir", this);
    printButton->setObjectName("BtPrint");
    auto *closeButton = new QPushButton("&Fechar", this);
    closeButton->setObjectName("BtClose");
    for (QWidget *w : std::initializer_list<QWidget *>{m_first, m_prior, pageLabel, m_pageEdit,
                                                       m_pageCount, m_next, m_last})
        bar->addWidget(w);
    bar->addSpacing(16);
    for (QWidget *w :
         std::initializer_list<QWidget *>{zoomOutButton, m_zoomLabel, zoomInButton, fitButton})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(printButton);
    bar->addWidget(closeButton);

    m_view = new PageView(doc);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName("ScrollPage");
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QToolButton::clicked, this, [this] { goToPage(1); });
    connect(m_prior, &QToolButton::clicked, this, [this] { goToPage(m_page - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { goToPage(m_page + 1); });
    connect(m_last, &QToolButton::clicked, this, [this] { goToPage(m_doc.pageCount()); });
    connect(m_pageEdit, &QSpinBox::valueChanged, this, [this](int page) { goToPage(page); });
    connect(zoomInButton, &QToolButton::clicked, this, &PreviewWindow::zoomIn);
    connect(zoomOutButton, &QToolButton::clicked, this, &PreviewWindow::zoomOut);
    connect(fitButton, &QToolButton::clicked, this, &PreviewWindow::fitToWidth);
    connect(printButton, &QPushButton::clicked, this, &PreviewWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    refresh();
    // The dialogs' placement fits the window to its contents first; the preview keeps its own
    // size, centred where that placement put it.
    app::placeDialog(this, parent);
    const QPoint centre = geometry().center();
    resize(kWindowSize);
    move(centre - QPoint(kWindowSize.width() / 2, kWindowSize.height() / 2));
}

QToolButton *PreviewWindow::addButton(const char *name, const QString &text, const QString &tip)
{
    auto *b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->setAutoRaise(true);
    return b;
}

int PreviewWindow::currentPage() const
{
    return m_page;
}

int PreviewWindow::zoomPercent() const
{
    return m_zoom;
}

void PreviewWindow::goToPage(int page)
{
    page = std::clamp(page, 1, std::max(1, m_doc.pageCount()));
    if (page == m_page)
        return;
    m_page = page;
    refresh();
    m_scroll->verticalScrollBar()->setValue(0);
}

void PreviewWindow::zoomIn()
{
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), m_zoom);
    setZoomPercent(next == kZoomSteps.end() ? kMaxZoom : *next);
}

void PreviewWindow::zoomOut()
{
    const auto below = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), m_zoom);
    setZoomPercent(below == kZoomSteps.begin() ? kMinZoom : *std::prev(below));
}

// The page's width fills the scroll area's viewport, leaving room for the vertical scroll bar
// that a page taller than the window brings.
void PreviewWindow::fitToWidth()
{
    const qreal pageWidth = m_view->pageSizePoints().width() * m_view->pixelsPerPoint();
    if (pageWidth <= 0)
        return;
    const int available = m_scroll->viewport()->width() -
                          (m_scroll->verticalScrollBar()->isVisible()
                               ? 0
                               : m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent)) -
                          2;
    setZoomPercent(int(100 * available / pageWidth));
}

void PreviewWindow::setZoomPercent(int percent)
{
    percent = std::clamp(percent, kMinZoom, kMaxZoom);
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    refresh();
}

void PreviewWindow::refresh()
{
    m_view->showPage(m_page - 1, m_zoom / 100.0);
    {
        const QSignalBlocker block(m_pageEdit);
        m_pageEdit->setValue(m_page);
    }
    m_pageCount->setText(QString("de %1").arg(m_doc.pageCount()));
    m_zoomLabel->setText(QString("%1%").arg(m_zoom));
    const bool notFirst = m_page > 1;
    const bool notLast = m_page < m_doc.pageCount();
    m_first->setEnabled(notFirst);
    m_prior->setEnabled(notFirst);
    m_next->setEnabled(notLast);
    m_last->setEnabled(notLast);
}

void PreviewWindow::print()
{
    app::guarded([this] { printWithStatus(m_doc, m_printer, m_options, this); });
}

} // namespace reports
