// A generated book for the benchmark: a fresh installation in a directory and N entries spread
// evenly over the years before `end`, on the starting chart, written through the storage layer.
#pragma once

#include <data/database.h>

#include <QDate>
#include <QString>

namespace bench {

// Creates the installation in `dir` (which must be empty) and appends `entries` entries.
void generateBook(const QString &dir, int entries, int years, const QDate &end);

} // namespace bench
