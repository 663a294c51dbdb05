// The fourteen report definitions: each reads its data views and parameters through a context
// and builds the bands of its report (title, columns, rows, groups and totals); the engine lays
// them out. Which views and parameters each report reads is listed beside its name in
// definitions.cpp.
#pragma once

#include "banded.h"
#include "dataview.h"

#include <QStringList>

namespace reports {

class ReportContext
{
public:
    virtual ~ReportContext() = default;
    // The data view of that name; throws app::Error when the caller did not set it.
    virtual const DataView &view(const QString &name) const = 0;
    // The parameter's text; empty when the caller did not set it.
    virtual QString param(const QString &name) const = 0;
};

QStringList reportNames();
// The data view whose rows a report prints (the master of RepRazao, the schedule of the
// calculator reports); the caller refuses to run a report when it is empty.
QString primaryViewOf(const QString &report);

// Builds the bands of report `name`; the page header's user and issue time are the caller's.
// Throws app::Error for an unknown report, a missing data view or a field its view lacks, and
// for a budget total that is not a number.
BandedReport defineReport(const QString &name, const ReportContext &ctx);

} // namespace reports
