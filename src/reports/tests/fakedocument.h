// A laid-out report for the output tests: each page paints its number, three lines of text and a
// square whose colour tells the page, and the document remembers which pages were painted.
#pragma once

#include <reports/document.h>

#include <QColor>
#include <QFont>
#include <QPageSize>
#include <QPainter>

#include <set>

namespace testsupport {

class FakeDocument : public reports::Document
{
public:
    // Where each page paints its colour square, in points from the paper's corner.
    static constexpr QRectF kMarker{400, 100, 100, 100};

    explicit FakeDocument(int pages, const QString &title = "Relatório de Teste")
        : m_pages(pages), m_title(title)
    {
    }

    static QColor markerColor(int index) { return QColor::fromHsv((index * 47) % 360, 255, 220); }

    QPageLayout pageLayout() const override
    {
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                           QMarginsF(36, 36, 36, 36), QPageLayout::Point);
    }
    int pageCount() const override { return m_pages; }
    QString title() const override { return m_title; }
    void paintPage(int index, QPainter &painter) const override
    {
        painted.insert(index);
        QFont font("DejaVu Sans");
        font.setPointSizeF(14);
        painter.setFont(font);
        painter.drawText(QPointF(72, 72), QString("Página %1").arg(index + 1));
        font.setPointSizeF(10);
        painter.setFont(font);
        for (int line = 1; line <= 3; ++line)
            painter.drawText(QPointF(72, 100 + 14 * line),
                             QString("Linha %1 da página %2").arg(line).arg(index + 1));
        painter.fillRect(kMarker, markerColor(index));
    }

    mutable std::set<int> painted;

private:
    int m_pages;
    QString m_title;
};

} // namespace testsupport
