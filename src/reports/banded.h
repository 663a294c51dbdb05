// The banded report engine: a report is a page header, a column-title band and a stream of bands
// (detail rows, group headers and footers, totals), each a fixed height with its cells placed in
// points. layOut() breaks the stream into pages once, so that every page knows the true page
// count, and returns a Document whose pages are painted on demand; the report definitions
// (definitions.h) only build the stream.
#pragma once

#include "document.h"

#include <QColor>
#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

namespace reports {

enum class FontRole { Normal, Bold, Small, Heading, Title };

// Positions are points from the left edge of the printable area; a cell's text is elided to its
// width.
struct Cell
{
    qreal x = 0;
    qreal width = 0;
    QString text;
    FontRole font = FontRole::Normal;
    QColor color = Qt::black;
    Qt::Alignment align = Qt::AlignLeft;
};

struct Band
{
    qreal height = 11;
    std::vector<Cell> cells;
    QColor shade;              // filled behind the band when valid
    bool lineAbove = false;    // a thin rule along the band's top edge
    bool keepWithNext = false; // never the last band of a page (a group header)
};

struct Column
{
    QString title;
    qreal x = 0;
    qreal width = 0;
    Qt::Alignment align = Qt::AlignLeft;
};

struct PageHeader
{
    QString title;
    // The calculator reports carry "Cálculos Financeiros" in place of the user and the verse.
    bool calculator = false;
    QString userLine; // the user's code and name: "0001  Nome"
    QString cidadeUF;
    QDateTime issuedAt;
};

struct BandedReport
{
    PageHeader header;
    std::vector<Band> opening;   // first page only, between the header and the column titles
    std::vector<Column> columns; // their titles repeat under the header of every page
    std::vector<Band> bands;
};

// Colours of the engine, shared by the definitions.
inline const QColor kPositive{0, 0, 192};
inline const QColor kNegative{192, 0, 0};
inline const QColor kNeutral{96, 96, 96};
inline const QColor kGroupShade{225, 225, 225};
inline const QColor kTotalShade{210, 225, 210};

// The paper every report is laid out on: A4 portrait with 28-point margins.
QPageLayout reportPageLayout();
qreal contentWidth();

// Breaks the bands into pages (a band never splits; a keep-with-next band moves to the next
// page with the band after it) and calls `progress` with each page number. A report without
// bands still has one page. Never throws for the layout itself.
std::unique_ptr<Document> layOut(BandedReport report, const Progress &progress = {});

// The bands of each page, for tests: pageBands(doc)[i] are the indexes into report.bands.
std::vector<std::pair<int, int>> pageRanges(const Document &doc);

} // namespace reports
