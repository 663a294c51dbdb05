#include "helppictures.h"

#include <QPainter>
#include <QPainterPath>

namespace help {

namespace {

const QColor kGreen("#437043");
const QColor kLight("#D9EAD9");
const QColor kGold("#C8A23C");
const QColor kNavy("#000080");

// Every picture is drawn on a 64 × 64 canvas and scaled.
void drawCoin(QPainter &p, const QPointF &c, qreal r)
{
    p.setPen(QPen(kGold.darker(140), 2));
    p.setBrush(kGold);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(kGold.darker(160), 1.5));
    p.drawEllipse(c, r * 0.7, r * 0.7);
}

void drawLogo(QPainter &p)
{
    p.setPen(QPen(kGreen.darker(130), 3));
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(32, 32), 28, 28);
    QPainterPath leaf;
    leaf.moveTo(20, 44);
    leaf.cubicTo(20, 22, 36, 16, 46, 16);
    leaf.cubicTo(46, 34, 36, 44, 20, 44);
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    p.drawPath(leaf);
    p.setPen(QPen(kGreen, 2));
    p.drawLine(QPointF(22, 42), QPointF(40, 24));
}

void drawFinance(QPainter &p)
{
    p.setPen(QPen(kGreen.darker(130), 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 6, 36, 46));
    p.setPen(QPen(kNavy, 2));
    for (int y = 16; y <= 42; y += 8)
        p.drawLine(QPointF(14, y), QPointF(38, y));
    drawCoin(p, QPointF(46, 46), 12);
}

void drawAssets(QPainter &p)
{
    p.setPen(QPen(QColor("#800000"), 2));
    p.setBrush(QColor("#C04040"));
    p.drawPolygon(QPolygonF({QPointF(6, 30), QPointF(32, 8), QPointF(58, 30)}));
    p.setPen(QPen(kGreen.darker(130), 2));
    p.setBrush(QColor("#F4EBD0"));
    p.drawRect(QRectF(12, 30, 40, 26));
    p.setBrush(kGreen);
    p.drawRect(QRectF(27, 40, 10, 16));
}

void drawBook(QPainter &p, bool open)
{
    p.setPen(QPen(kGreen.darker(150), 2));
    if (!open) {
        p.setBrush(kGreen);
        p.drawRoundedRect(QRectF(14, 6, 36, 52), 3, 3);
        p.setPen(QPen(kGold, 3));
        p.drawLine(QPointF(32, 16), QPointF(32, 36));
        p.drawLine(QPointF(25, 23), QPointF(39, 23));
        return;
    }
    p.setBrush(Qt::white);
    QPainterPath left, right;
    left.moveTo(32, 14);
    left.cubicTo(24, 8, 12, 8, 4, 12);
    left.lineTo(4, 52);
    left.cubicTo(12, 48, 24, 48, 32, 54);
    left.closeSubpath();
    right.moveTo(32, 14);
    right.cubicTo(40, 8, 52, 8, 60, 12);
    right.lineTo(60, 52);
    right.cubicTo(52, 48, 40, 48, 32, 54);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(kGreen, 1.5));
    for (int y = 22; y <= 42; y += 7) {
        p.drawLine(QPointF(10, y), QPointF(27, y + 1));
        p.drawLine(QPointF(37, y + 1), QPointF(54, y));
    }
}

void drawCalculator(QPainter &p)
{
    p.setPen(QPen(QColor("#404040"), 2));
    p.setBrush(QColor("#606060"));
    p.drawRoundedRect(QRectF(12, 4, 40, 56), 4, 4);
    p.setBrush(kLight);
    p.drawRect(QRectF(17, 9, 30, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawRect(QRectF(17 + c * 11, 26 + r * 11, 8, 8));
}

void drawHelp(QPainter &p)
{
    p.setPen(QPen(kNavy.darker(120), 3));
    p.setBrush(QColor("#3060C0"));
    p.drawEllipse(QPointF(32, 32), 27, 27);
    QFont f;
    f.setPixelSize(40);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 64, 64), Qt::AlignCenter, "?");
}

void drawSupport(QPainter &p)
{
    QPainterPath heart;
    heart.moveTo(32, 56);
    heart.cubicTo(6, 38, 4, 22, 12, 14);
    heart.cubicTo(20, 6, 30, 10, 32, 20);
    heart.cubicTo(34, 10, 44, 6, 52, 14);
    heart.cubicTo(60, 22, 58, 38, 32, 56);
    p.setPen(QPen(QColor("#800000"), 2));
    p.setBrush(QColor("#D03030"));
    p.drawPath(heart);
}

void drawPage(QPainter &p)
{
    p.setPen(QPen(kGreen.darker(130), 3));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF(
        {QPointF(12, 4), QPointF(42, 4), QPointF(54, 16), QPointF(54, 60), QPointF(12, 60)}));
    p.setPen(QPen(kGreen, 3));
    for (int y = 22; y <= 50; y += 9)
        p.drawLine(QPointF(19, y), QPointF(47, y));
}

void drawDay(QPainter &p)
{
    p.setPen(QPen(kGreen.darker(130), 3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 10, 48, 48));
    p.setBrush(kGreen);
    p.drawRect(QRectF(8, 10, 48, 14));
    p.setBrush(kGold);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(32, 41), 8, 8);
}

} // namespace

QPixmap picture(Picture which, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    switch (which) {
    case Picture::Logo:
        drawLogo(p);
        break;
    case Picture::Finance:
        drawFinance(p);
        break;
    case Picture::Assets:
        drawAssets(p);
        break;
    case Picture::Bible:
        drawBook(p, true);
        break;
    case Picture::Calculator:
        drawCalculator(p);
        break;
    case Picture::Help:
        drawHelp(p);
        break;
    case Picture::Support:
        drawSupport(p);
        break;
    case Picture::BookClosed:
        drawBook(p, false);
        break;
    case Picture::BookOpen:
        drawBook(p, true);
        break;
    case Picture::Page:
        drawPage(p);
        break;
    case Picture::Day:
        drawDay(p);
        break;
    }
    return pm;
}

} // namespace help
