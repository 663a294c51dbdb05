// The report project: the fourteen reports by name, the data views and the named parameters the
// callers set before a run, and build(), which lays a report out from them. Holds copies of the
// views, so a document keeps printing what was set even if the tables change afterwards.
#pragma once

#include "banded.h"
#include "dataview.h"
#include "document.h"

#include <QHash>

#include <memory>

namespace reports {

class Catalogue
{
public:
    void setParameter(const QString &name, const QString &text);
    QString parameter(const QString &name) const;
    void setDataView(const QString &name, DataView view);
    bool hasDataView(const QString &name) const { return m_views.contains(name); }

    // True when the view the report prints its rows from is missing or has no row: callers
    // show their own message instead of running it.
    bool isEmpty(const QString &report) const;

    // Lays out report `name` with the current views and parameters, the signed-in user of DvUser
    // and the moment of issue (issueTime()). Throws app::Error for an unknown report, a missing
    // data view, an empty report (never an empty document) and a parameter that does not convert.
    std::unique_ptr<Document> build(const QString &name, const Progress &progress = {}) const;
    // The bands build() lays out, with the page header filled; same failures.
    BandedReport define(const QString &name) const;

private:
    QHash<QString, QString> m_params;
    QHash<QString, DataView> m_views;
};

} // namespace reports
