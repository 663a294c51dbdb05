#include "pagepaint.h"

#include <QImage>
#include <QPainter>

namespace reports {

void paintPage(const Document &doc, int index, QPainter &painter, qreal scale)
{
    painter.save();
    painter.scale(scale, scale);
    doc.paintPage(index, painter);
    painter.restore();
}

QPaintDevice *measuringDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = qRound(kPointsPerInch / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

} // namespace reports
