#include "banded.h"

#include "logo.h"
#include "reportrules.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>

#include <array>

namespace reports {

namespace {

constexpr qreal kMargin = 28;
constexpr qreal kHeaderHeight = 64;
constexpr qreal kColumnTitleHeight = 14;
constexpr qreal kPageNumberWidth = 150;

const char *const kVerse = "\"Quem é fiel no pouco também é fiel no muito.\" Lucas 16:10";

QFont makeFont(FontRole role)
{
    QFont f("DejaVu Sans");
    // Plain Latin text needs no shaping; without it "fi" stays two letters in a PDF's text.
    f.setStyleStrategy(QFont::PreferNoShaping);
    switch (role) {
    case FontRole::Normal:
        f.setPointSizeF(7.5);
        break;
    case FontRole::Bold:
        f.setPointSizeF(7.5);
        f.setBold(true);
        break;
    case FontRole::Small:
        f.setPointSizeF(6.5);
        break;
    case FontRole::Heading:
        f.setPointSizeF(9.5);
        f.setBold(true);
        break;
    case FontRole::Title:
        f.setPointSizeF(12);
        f.setBold(true);
        break;
    }
    return f;
}

// Made once: a ledger paints a hundred thousand cells.
const QFont &fontFor(FontRole role)
{
    static const std::array<QFont, 5> fonts = {
        makeFont(FontRole::Normal), makeFont(FontRole::Bold), makeFont(FontRole::Small),
        makeFont(FontRole::Heading), makeFont(FontRole::Title)};
    return fonts[size_t(role)];
}

void drawCell(QPainter &p, const Cell &c, qreal left, qreal top, qreal height)
{
    if (c.text.isEmpty())
        return;
    const QFont &f = fontFor(c.font);
    p.setFont(f);
    p.setPen(c.color);
    const QFontMetricsF fm(f, p.device());
    const QRectF box(left + c.x, top, c.width, height);
    const int flags = int(c.align | Qt::AlignVCenter);
    // Measuring every cell would double the painting; only a text that may not fit is elided.
    if (fm.maxWidth() * c.text.size() <= c.width)
        p.drawText(box, flags, c.text);
    else
        p.drawText(box, flags, fm.elidedText(c.text, Qt::ElideRight, c.width));
}

void drawBand(QPainter &p, const Band &b, qreal left, qreal top)
{
    if (b.shade.isValid())
        p.fillRect(QRectF(left, top, contentWidth(), b.height), b.shade);
    if (b.lineAbove) {
        p.setPen(QPen(Qt::black, 0.5));
        p.drawLine(QPointF(left, top), QPointF(left + contentWidth(), top));
    }
    for (const Cell &c : b.cells)
        drawCell(p, c, left, top, b.height);
}

class BandedDocument : public Document
{
public:
    BandedDocument(BandedReport r, std::vector<std::pair<int, int>> pages)
        : m_report(std::move(r)), m_pages(std::move(pages))
    {
    }

    QPageLayout pageLayout() const override { return reportPageLayout(); }
    int pageCount() const override { return int(m_pages.size()); }
    QString title() const override { return m_report.header.title; }
    void paintPage(int index, QPainter &painter) const override;

    const std::vector<std::pair<int, int>> &pages() const { return m_pages; }

private:
    void paintHeader(QPainter &p, int index) const;
    qreal paintColumnTitles(QPainter &p, qreal top) const;

    BandedReport m_report;
    std::vector<std::pair<int, int>> m_pages; // [first, last) into m_report.bands
};

void BandedDocument::paintHeader(QPainter &p, int index) const
{
    const PageHeader &h = m_report.header;
    const qreal left = kMargin;
    const qreal right = kMargin + contentWidth();
    drawLogo(p, QRectF(left, kMargin, 34, 34));
    const qreal tx = left + 42;
    const qreal tw = contentWidth() - 42 - kPageNumberWidth;
    Band top;
    top.cells = {
        {tx - left, tw,
         h.calculator ? QString("Cálculos Financeiros") : QString("Quorvila :: Finanças Pessoais"),
         h.calculator ? FontRole::Heading : FontRole::Small},
        {right - left - kPageNumberWidth, kPageNumberWidth,
         QString("Página %1/%2").arg(index + 1).arg(pageCount()), FontRole::Bold, Qt::black,
         Qt::AlignRight}};
    drawBand(p, top, left, kMargin);
    Band title;
    title.height = 18;
    title.cells = {{tx - left, tw, h.title, FontRole::Title},
                   {right - left - kPageNumberWidth, kPageNumberWidth, issueText(h.issuedAt),
                    FontRole::Small, Qt::black, Qt::AlignRight}};
    drawBand(p, title, left, kMargin + 12);
    if (!h.calculator) {
        Band user;
        user.cells = {{tx - left, tw, h.userLine, FontRole::Normal}};
        drawBand(p, user, left, kMargin + 32);
        Band city;
        city.cells = {{tx - left, tw * 0.45, h.cidadeUF, FontRole::Normal},
                      {tx - left + tw * 0.45, contentWidth() - (tx - left) - tw * 0.45, kVerse,
                       FontRole::Small, kNeutral, Qt::AlignRight}};
        drawBand(p, city, left, kMargin + 43);
    }
    p.setPen(QPen(Qt::black, 0.8));
    p.drawLine(QPointF(left, kMargin + kHeaderHeight - 4),
               QPointF(right, kMargin + kHeaderHeight - 4));
}

qreal BandedDocument::paintColumnTitles(QPainter &p, qreal top) const
{
    if (m_report.columns.empty())
        return top;
    Band b;
    b.height = kColumnTitleHeight;
    b.shade = kGroupShade;
    for (const Column &c : m_report.columns)
        b.cells.push_back({c.x, c.width, c.title, FontRole::Bold, Qt::black, c.align});
    drawBand(p, b, kMargin, top);
    return top + kColumnTitleHeight + 2;
}

void BandedDocument::paintPage(int index, QPainter &painter) const
{
    if (index < 0 || index >= pageCount())
        return;
    painter.save();
    paintHeader(painter, index);
    qreal y = kMargin + kHeaderHeight;
    if (index == 0)
        for (const Band &b : m_report.opening) {
            drawBand(painter, b, kMargin, y);
            y += b.height;
        }
    y = paintColumnTitles(painter, y);
    const auto [first, last] = m_pages[size_t(index)];
    for (int i = first; i < last; ++i) {
        const Band &b = m_report.bands[size_t(i)];
        drawBand(painter, b, kMargin, y);
        y += b.height;
    }
    painter.restore();
}

qreal bodyHeight(const BandedReport &r, bool firstPage)
{
    qreal h = reportPageLayout().fullRectPoints().height() - 2 * kMargin - kHeaderHeight;
    if (!r.columns.empty())
        h -= kColumnTitleHeight + 2;
    if (firstPage)
        for (const Band &b : r.opening)
            h -= b.height;
    return h;
}

} // namespace

QPageLayout reportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Point);
}

qreal contentWidth()
{
    return reportPageLayout().fullRectPoints().width() - 2 * kMargin;
}

std::unique_ptr<Document> layOut(BandedReport report, const Progress &progress)
{
    std::vector<std::pair<int, int>> pages;
    const int n = int(report.bands.size());
    int first = 0;
    while (first < n || pages.empty()) {
        const qreal room = bodyHeight(report, pages.empty());
        qreal used = 0;
        int last = first;
        while (last < n && used + report.bands[size_t(last)].height <= room) {
            used += report.bands[size_t(last)].height;
            ++last;
        }
        // A group header never ends a page: it moves with the band it heads.
        while (last < n && last - 1 > first && report.bands[size_t(last - 1)].keepWithNext)
            --last;
        if (last == first && first < n)
            ++last; // a band taller than the page still gets a page of its own
        pages.emplace_back(first, last);
        if (progress)
            progress(int(pages.size()));
        first = last;
    }
    return std::make_unique<BandedDocument>(std::move(report), std::move(pages));
}

std::vector<std::pair<int, int>> pageRanges(const Document &doc)
{
    if (const auto *d = dynamic_cast<const BandedDocument *>(&doc))
        return d->pages();
    return {};
}

} // namespace reports
