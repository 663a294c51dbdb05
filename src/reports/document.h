#pragma once
// A report laid out into pages. The engine measures and breaks the pages once; the preview,
// the printer and the PDF writer then paint any page on demand, so the first page of a long
// ledger shows at once and paging through it costs only the painting.
#include <QPageLayout>
#include <QString>

#include <functional>

class QPainter;

namespace reports {

// Called with each page number (from 1) as it is laid out or printed.
using Progress = std::function<void(int page)>;

class Document
{
public:
    virtual ~Document() = default;

    // Paper, orientation and margins the pages were laid out for.
    virtual QPageLayout pageLayout() const = 0;
    virtual int pageCount() const = 0;
    // The report's title, for window captions and the PDF's metadata.
    virtual QString title() const = 0;
    // Paints page `index` (from 0). The painter's coordinates are points (1/72 inch) with the
    // origin at the top-left corner of the paper; the caller scales them to its device.
    virtual void paintPage(int index, QPainter &painter) const = 0;
};

} // namespace reports
