// The CSV files of the trial balance, the statements and the year map, built from plain rows
// after the shared preamble. Saving them, the checks before and the messages after are the
// screen's.
#pragma once

#include "statements.h"
#include "trialbalance.h"
#include "yearmap.h"

#include <app/csvwriter.h>

#include <QDateTime>

#include <span>
#include <vector>

namespace ledger {

// "Balancete.CSV": `caption` is PanelBal's caption, `titles` the six column titles, `rows` the
// current view.
app::CsvWriter trialBalanceCsv(const app::CsvUser &user, const QString &caption,
                               const QStringList &titles, const std::vector<BcteRow> &rows);

// What a statement file says about its period.
struct StatementPeriod
{
    QString PeriodoBal;
    QDate dtIni, dtFim;
    QDateTime generated; // the closing "Arquivo gerado em" line
};

// "ExtratoDeConta.CSV": the statement of `account` (a level-3 row), with daily totals or
// with the period's movement. `rows` carry Saldo from the account's SaldoAnt.
app::CsvWriter statementCsv(const app::CsvUser &user, const StatementPeriod &p,
                            const BcteRow &account, std::span<const LctoRow> rows, bool daily);

// "ExtratosDeTodasAsContas.CSV": the statement of every level-3 row of `view`, in view order.
app::CsvWriter allStatementsCsv(const app::CsvUser &user, const StatementPeriod &p,
                                const std::vector<BcteRow> &view, const Ledger &ledger);

// "BalanceteMapaDoAno.CSV": `caption` is the map band's caption; all twelve months are written.
app::CsvWriter yearMapCsv(const app::CsvUser &user, const QString &caption, int year,
                          const std::vector<MapaRow> &rows);

} // namespace ledger
