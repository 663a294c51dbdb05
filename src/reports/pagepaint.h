// How every output paints a page of a Document: in points from the paper's top-left corner, on
// a device whose logical resolution is 72 dpi, so that a font sized in points with
// QFont::setPointSizeF is as tall as that many painter units on the screen, the printer and in
// a PDF alike. The layout measures text on measuringDevice() for the same reason.
#pragma once

#include "document.h"

class QPaintDevice;

namespace reports {

// The resolution every output gives the Document's painter.
inline constexpr int kPointsPerInch = 72;

// Paints page `index` of `doc` with `painter`, whose device has a logical resolution of 72 dpi,
// scaled by `scale` device units per point. The painter's state is restored afterwards.
void paintPage(const Document &doc, int index, QPainter &painter, qreal scale = 1.0);

// A 72-dpi device for QFontMetricsF, so that text is measured as the outputs paint it.
QPaintDevice *measuringDevice();

} // namespace reports
