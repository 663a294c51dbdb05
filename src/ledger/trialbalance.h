// The trial balance of a working period: one row per account with a balance or movement, its
// title and group totals and the result of the previous years (row "3"), with the signed
// figures by group, and the view the two choosers make of it. Plain rows, read from the entries
// and the chart in one grouped scan; nothing here draws, prints or writes a file.
#pragma once

#include "book.h"

#include <app/money.h>

#include <QDate>
#include <QString>

#include <vector>

namespace ledger {

// One row of the trial balance (the fields of the view QrBcte). Debit is the destination side of
// an entry, credit the origin side.
struct BcteRow
{
    QString ExtCta; // "G.xx.xx", "G.xx", "G", or "3" for the previous years' result
    int Cta = 0;    // reduced code; 0 on title and group rows
    int Nv = 0;     // level 1, 2 or 3
    int Nv1 = 0, Nv2 = 0, Nv3 = 0;
    app::Money SlAntCred, SlAntDeb, TtCred, TtDeb;
    QString TituloCta;             // the chart's Descricao of ExtCta
    bool missingFromChart = false; // a reduced code of the entries that the chart lacks
    // Signed by group: cash ("0" and "3") debit minus credit, income and expenses credit minus
    // debit.
    app::Money SaldoAnt, VariacaoSaldo, SaldoAtual;
    QString TituloDescr;   // TituloCta, or the result's own title on row "3"
    QString TituloExtrato; // "Extrato da Conta [...]" on level-3 rows, else empty
};

struct TrialBalance
{
    std::vector<BcteRow> rows; // ordered by ExtCta, then Nv
    app::Money CredAnoAnt, DebAnoAnt;
    bool hasEntries = false; // some entry is dated on or before the period's last day

    // Nothing to show: no entry up to the period's end, or no account with a value.
    bool empty() const { return rows.empty(); }
    const BcteRow *findExtCta(const QString &code) const; // case-insensitive
    const BcteRow *findCta(int codRed) const;
};

// Computes the trial balance of dtIni..dtFim (J = 1 January of dtIni's year). Throws
// app::StorageError when a table cannot be read.
TrialBalance BalView(const Book &book, const QDate &dtIni, const QDate &dtFim);

// Fills the signed figures and titles of a row from its sums, ExtCta and TituloCta.
void finishRow(BcteRow &r);

// The view choosers, by item index, with their items in order.
enum class Nivel { Todos, So1, So1e2, Nv1e3, So3 };
enum class Grupo { Todas, SoSaldo, SoEntradas, SoSaidas, ReceitasDespesas };
QStringList nivelItems();
QStringList grupoItems();
// Whether a row of code `extCta` on level `nv` is in the view of the two choosers. The result
// row "3" is visible only with Grupo::Todas.
bool inView(const QString &extCta, int nv, Nivel nivel, Grupo grupo);
// The rows of `all` in the view, in order.
std::vector<BcteRow> MudarVisualizacaoBalancete(const std::vector<BcteRow> &all, Nivel nivel,
                                                Grupo grupo);
// True when the level chooser leaves level-3 rows visible (the statements need them).
bool showsLevel3(Nivel nivel);

// ---- titles of the period

enum class PeriodMode { Month = 1, Other = 2 };
// The period button: "Fevereiro/2007" for a month, "05/01/2007 a 20/02/2007" otherwise.
QString periodCaption(const QDate &dtIni, const QDate &dtFim, PeriodMode mode);
// "[" + caption + "]"
QString PeriodoBal(const QDate &dtIni, const QDate &dtFim, PeriodMode mode);
// The three value column titles: "Sld 31/01/07", "Mov Fev/07" (or "Mov Período"), "Sld 28/02/07".
QStringList valueTitles(const QDate &dtIni, const QDate &dtFim, PeriodMode mode);

// The messages of the screen and its outputs.
namespace texts {
inline const char *const kNadaNoPeriodo =
    "Nenhum lançamento ou saldo para\n\rcalcular ou imprimir no período informado.";
inline const char *const kNaoDisponivel =
    "Balancete e Contas não disponíveis!\r\nPor favor, verifique o período.";
inline const char *const kNenhumaVisivel =
    "Nenhuma conta do Balancete está visível.\r\nAjuste a Visualização de Contas!";
inline const char *const kSo3Nivel = "Extrato de Conta apenas para\r\nas contas de 3º nível "
                                     "(x.xx.xx).\r\n\r\nSelecione uma conta de 3º nível!";
inline const char *const kSemLctosImprimir = "Esta conta não possui\r\nlançamentos para imprimir!";
inline const char *const kSemLctosCsv =
    "Esta conta não possui lançamentos\r\npara salvar em arquivo CSV!";
inline const char *const kNiveisExtratos =
    "Extratos de Conta apenas para\r\nas contas de 3º nível (x.xx.xx).\r\n\r\nAjuste a "
    "visualização de níveis, para que as\r\ncontas de 3º nível estejam visíveis!";
inline const char *const kMapaIndisponivel =
    "Mapa do Ano não disponível para impressão!\r\nPor favor, verifique o período.";
} // namespace texts

} // namespace ledger
