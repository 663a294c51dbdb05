#include "logo.h"

#include <QPainter>
#include <QPainterPath>

namespace reports {

void drawLogo(QPainter &painter, const QRectF &box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal r = box.width() * 0.18;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x43, 0x70, 0x43));
    painter.drawRoundedRect(box, r, r);
    // A gold coin in the lower right, partly behind the initial.
    const QRectF coin(box.left() + box.width() * 0.45, box.top() + box.height() * 0.45,
                      box.width() * 0.45, box.height() * 0.45);
    painter.setBrush(QColor(0xE8, 0xB9, 0x2E));
    painter.setPen(QPen(QColor(0xB0, 0x84, 0x10), box.width() * 0.03));
    painter.drawEllipse(coin);
    // The initial as an outline, so no font is needed.
    QPainterPath q;
    const QRectF ring(box.left() + box.width() * 0.14, box.top() + box.height() * 0.12,
                      box.width() * 0.56, box.height() * 0.56);
    q.addEllipse(ring);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, box.width() * 0.09, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(q);
    painter.drawLine(
        QPointF(ring.center().x() + ring.width() * 0.12, ring.center().y() + ring.height() * 0.12),
        QPointF(ring.right() + box.width() * 0.04, ring.bottom() + box.height() * 0.06));
    painter.restore();
}

} // namespace reports
