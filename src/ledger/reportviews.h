#pragma once
// The ledger's rows as the data views the books' reports read: DvBcte (trial balance lines),
// DvLctos (one account's statement) and DvLcPrn (the ledger of all accounts). Amounts stay exact
// centavos in the rows and become reais only here, at the report's edge.
#include "statements.h"
#include "trialbalance.h"

#include <reports/dataview.h>

#include <span>

namespace ledger {

reports::DataView bcteView(std::span<const BcteRow> rows);
reports::DataView lctosView(std::span<const LctoRow> rows);

// The report parameters of the balance screen's prints.
QString saldoAntHeader(const QDate &dtIni);   // "Saldo " + the day before, "dd/MM/yy"
QString saldoAtualHeader(const QDate &dtFim); // "Saldo " + the last day, "dd/MM/yy"
QString textSaldoAnt(const QDate &dtIni);     // "Saldo Anterior (dd/MM/yy):"
QString textSaldoAtual(const QDate &dtFim);   // "Saldo Atual (dd/MM/yy):"

} // namespace ledger
