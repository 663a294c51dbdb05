// The program's picture on the reports' page header: a green tile with a coin and the initial,
// drawn with the painter so that it stays sharp on the printer and in a PDF.
#pragma once

#include <QRectF>

class QPainter;

namespace reports {

void drawLogo(QPainter &painter, const QRectF &box);

} // namespace reports
