// The export and import commands of the chart and history screens: the file dialogs, the wait
// cursor, the messages of every outcome. The file layouts are chartfile's and historyfile's; the
// table work is ChartStore's and HistoryStore's.
#pragma once

#include "exchangefile.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace data {
class TDM;
}

namespace accounts {

// What differs between the kinds of exchange file (charts, histories, asset categories).
struct ExchangeKind
{
    QString filter; // both cases: "Quorvila Plano de Contas (*.KPF *.kpf)"
    QString suffix;
    QString exportTitle;
    QString proposedName;
    QString nothingToExport;
    QString exported; // followed by the path and "!"
    QString fileNoun; // "Plano de Contas" / "Históricos", in the read and version messages
    QString invalid;
    QString question; // %1 is the path
    QString imported;
};

// The steps every export and import shares. runExport: the nothing-to-export message, the save
// dialog, the file written whole under the wait cursor, and the outcome's message.
void runExport(QWidget *parent, const ExchangeKind &k, bool empty,
               const std::function<QByteArray()> &bytes);
// The open dialog and the file's bytes; empty when the command ends there (cancelled, or the
// file could not be read or is too large, with its message shown).
std::optional<std::pair<QString, QByteArray>> readChosenFile(QWidget *parent,
                                                             const ExchangeKind &k);
// The messages of a refused file; true when the file is valid.
bool acceptStatus(const ExchangeKind &k, const QString &path, ExchangeStatus status);
// The replace question; true on Yes.
bool confirmReplace(const ExchangeKind &k, const QString &path);

// Each runs the whole command and reports its outcome with Mensagem; the imports return true
// when the table was replaced. A file that fails any check changes nothing. Storage failures
// are thrown (app::StorageError) with the table unchanged, for the caller's guarded slot.
void exportChart(QWidget *parent, data::TDM &dm, const TrailerRandom &random);
bool importChart(QWidget *parent, data::TDM &dm);
void exportHistories(QWidget *parent, data::TDM &dm, const TrailerRandom &random);
bool importHistories(QWidget *parent, data::TDM &dm);

} // namespace accounts
