// The export and import commands of the chart and history screens: the file dialogs, the wait
// cursor, the messages of every outcome. The file layouts are chartfile's and historyfile's; the
// table work is ChartStore's and HistoryStore's.
#pragma once

#include "exchangefile.h"

class QWidget;

namespace data {
class TDM;
}

namespace accounts {

// Each runs the whole command and reports its outcome with Mensagem; the imports return true
// when the table was replaced. A file that fails any check changes nothing. Storage failures
// are thrown (app::StorageError) with the table unchanged, for the caller's guarded slot.
void exportChart(QWidget *parent, data::TDM &dm, const TrailerRandom &random);
bool importChart(QWidget *parent, data::TDM &dm);
void exportHistories(QWidget *parent, data::TDM &dm, const TrailerRandom &random);
bool importHistories(QWidget *parent, data::TDM &dm);

} // namespace accounts
