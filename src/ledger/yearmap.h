// The year map: per account, title and group, the balance on 1 January and, for each month, the
// movement and the balance at the month's end, plus the previous years' result (row "3"). Its
// year is its own (AnoMapa), apart from the trial balance's period. Plain rows from one grouped
// scan of the entries and the chart.
#pragma once

#include "book.h"
#include "trialbalance.h"

#include <app/money.h>

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace ledger {

struct MapaRow
{
    QString ExtCta;
    int Cta = 0; // the chart's reduced code of ExtCta; 0 on title rows
    int Nv = 0;
    QString Nv1, Nv2, Nv3; // the code's parts as text; blanks on title rows
    app::Money SlAntCred, SlAntDeb;
    std::array<app::Money, 12> TtCred{}, TtDeb{};
    QString TituloCta;
    bool missingFromChart = false;
    // Signed as in the trial balance; Sld[k] is the balance at the end of month k + 1, Mov[k]
    // its movement, so Sld[11] is the balance on 31 December.
    app::Money Sld0;
    std::array<app::Money, 12> Mov{}, Sld{};
    QString TituloDescr;
};

struct YearMap
{
    int AnoMapa = 0;
    std::vector<MapaRow> rows; // ordered by ExtCta, then Nv
    app::Money CredAnoAnt, DebAnoAnt;
    bool empty() const { return rows.empty(); }
    const MapaRow *findExtCta(const QString &code) const; // case-insensitive
};

// The map of `year`. Throws app::StorageError when a table cannot be read.
YearMap BalMapaView(const Book &book, int year);

// The rows of `all` in the view of the two choosers.
std::vector<MapaRow> MudarVisualizacaoMapa(const std::vector<MapaRow> &all, Nivel nivel,
                                           Grupo grupo);

// The titles of the 28 columns: Conta, Red, Nome da Conta, Sld 31/12/(Y-1), Mov Jan/Y, Sld
// 31/01/Y, ..., Mov Dez/Y, Sld 31/12/Y (dates as dd/MM/yy, months as MMM/yy).
QStringList mapColumnTitles(int year);
// " Balancete [Mapa do Ano " + year + "]"
QString mapBandCaption(int year);
// "Ano: " + year
QString mapYearCaption(int year);

// The two-month window: P is the first month shown (1..11), P + 1 the second.
struct MapWindow
{
    int P = 1;
    // The window first shown for a period starting in `month`: that month, 11 for December.
    static MapWindow forMonth(int month);
    bool canGoBack() const { return P > 1; }
    bool canGoForward() const { return P + 1 < 12; }
    void back() { P = canGoBack() ? P - 1 : P; }
    void forward() { P = canGoForward() ? P + 1 : P; }
    // Visible grid columns (0-based): 0, 1, 2, then Sld(P-1), MovP, SldP, Mov(P+1), Sld(P+1).
    std::vector<int> visibleColumns() const;
};

} // namespace ledger
