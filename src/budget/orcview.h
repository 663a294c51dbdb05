// The budget of one month against what its entries realised: one row per income and expense
// account (every account of the chart, with or without budget or entries, plus any reduced code
// of the budget or the entries that the chart lacks), the title and group rows summing them, the
// month's result, and the view the two choosers make of it. Plain rows in exact centavos, read
// in three statements; nothing here draws, prints or writes a file.
#pragma once

#include "budgetbook.h"

#include <ledger/trialbalance.h>

#include <app/money.h>

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace budget {

// One row of the budget view (the fields of QrOrcView).
struct OrcRow
{
    QString ExtCta; // "G.xx.xx", "G.xx" or "G"; "G.??.??" for a reduced code the chart lacks
    int CodRed = 0; // 0 on title and group rows
    int Nv = 0;     // 1, 2 or 3
    int Nv1 = 0, Nv2 = 0, Nv3 = 0;
    QString Descricao;
    bool missingFromChart = false;
    app::Money ValorOrcado; // positive for income, negative for expenses
    app::Money Realizado;   // credits minus debits of the month: income positive, expenses negative
    // Realizado - ValorOrcado: positive is favourable in both groups (more income, less spending).
    app::Money Saldo() const { return Realizado - ValorOrcado; }
    QString PercRealizado() const; // "90,00%", or "-   " when nothing is budgeted
};

// The month's result: the sums of the group rows "1" and "2".
struct OrcTotals
{
    app::Money ValorOrcado, Realizado;
    app::Money Saldo() const { return Realizado - ValorOrcado; }
    QString percent() const; // LabelPerc: "-   " when the budgeted total is 0
};

struct OrcMonth
{
    QDate DtIniOrc, DtFimOrc;
    std::vector<OrcRow> rows; // ordered by ExtCta, then Nv
    OrcTotals totals;
    bool hasBudget = false;  // some budget row is dated on the month's first day
    bool hasEntries = false; // some entry of the month moves an income or expense account

    // Nothing to compare: no budget and no entry in the month. The rows still list every
    // account (at zero), so the month can be budgeted account by account.
    bool nothingToCompare() const { return !hasBudget && !hasEntries; }
    const OrcRow *findExtCta(const QString &code) const; // case-insensitive
    const OrcRow *findCodRed(int codRed) const;          // level-3 rows only
};

// The budget of the month whose first day is `dtIniOrc`. Throws app::StorageError when a table
// cannot be read.
OrcMonth OrcView(const BudgetBook &b, const QDate &dtIniOrc);

// The group chooser "Visualizar Contas", by item index.
enum class GrupoOrc { Todas, Entradas, Saidas };
QStringList grupoOrcItems(); // "Todas", "Entradas/Receita", "Saídas/Despesas"
// The level chooser is the trial balance's (ledger::Nivel, ledger::nivelItems()).
bool inView(const OrcRow &r, ledger::Nivel nivel, GrupoOrc grupo);
// The rows of `all` in the view, in order.
std::vector<OrcRow> MudarVisualizacaoOrcamento(const std::vector<OrcRow> &all, ledger::Nivel nivel,
                                               GrupoOrc grupo);

// ---- titles of the month

QString monthCaption(const QDate &dtIniOrc); // BtPeriodo: "Fevereiro/2007"
QString PanelOrc(const QDate &dtIniOrc);     // " Orçamento [Fevereiro/2007]"
// The Saldo column's title: "Saldo  Fev." when the screen opens, "Saldo Fev." after the month
// was changed.
QString saldoTitle(const QDate &dtIniOrc, bool afterChange);
// The seven grid titles, Saldo's as above.
QStringList columnTitles(const QDate &dtIniOrc, bool afterChange);
// The first day of the month before `dtIniOrc`: the generation dialog's source months.
QDate monthBefore(const QDate &dtIniOrc);

namespace texts {
inline const char *const kNadaNoPeriodo =
    "Nenhum lançamento ou saldo para\n\rcalcular ou imprimir no período informado.";
inline const char *const kNaoImprimir =
    "Orçamento não disponível para imprimir!\r\nPor favor, verifique o período.";
inline const char *const kNaoCsv =
    "Orçamento não disponível para salvar em\r\narquivo CSV! Por favor, verifique o período.";
inline const char *const kSo3Nivel =
    "Você pode incluir um valor orçado\r\napenas para contas de 3º nível!";
} // namespace texts

} // namespace budget
