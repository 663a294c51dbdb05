#include "yearmap.h"

#include "accountsums_internal.h"

#include <app/dates.h>

#include <algorithm>

namespace ledger {

using app::Money;
using namespace internal;

namespace {

// Sums of a map row, in the order SlAntCred, SlAntDeb, TtCred1, TtDeb1, ..., TtCred12, TtDeb12.
constexpr size_t kSums = 2 + 24;

MapaRow rowOf(const QString &extCta, int nv, const std::vector<Money> &v)
{
    MapaRow r;
    r.ExtCta = extCta;
    r.Nv = nv;
    r.Nv1 = extCta.left(1);
    r.Nv2 = nv >= 2 ? extCta.mid(2, 2) : QString("  ");
    r.Nv3 = nv >= 3 ? extCta.mid(5, 2) : QString("  ");
    r.SlAntCred = v[0];
    r.SlAntDeb = v[1];
    for (size_t k = 0; k < 12; ++k) {
        r.TtCred[k] = v[2 + 2 * k];
        r.TtDeb[k] = v[3 + 2 * k];
    }
    return r;
}

void finish(MapaRow &r)
{
    const bool cash = r.Nv1 == "0" || r.Nv1 == "3";
    r.Sld0 = cash ? r.SlAntDeb - r.SlAntCred : r.SlAntCred - r.SlAntDeb;
    Money sld = r.Sld0;
    for (size_t k = 0; k < 12; ++k) {
        r.Mov[k] = cash ? r.TtDeb[k] - r.TtCred[k] : r.TtCred[k] - r.TtDeb[k];
        sld += r.Mov[k];
        r.Sld[k] = sld;
    }
    if (r.ExtCta == "3")
        r.TituloDescr = r.Sld0.centavos() >= 0 ? "Resultado Credor Ano Anterior"
                                               : "Resultado Devedor Ano Anterior";
    else
        r.TituloDescr = r.TituloCta;
}

} // namespace

YearMap BalMapaView(const Book &book, int year)
{
    const QDate J(year, 1, 1);
    Scan scan = scanBook(book, J, J, QDate(year, 12, 31), Columns::Months);
    const Chart chart = readChart(book);
    YearMap map;
    map.AnoMapa = year;
    map.CredAnoAnt = scan.CredAnoAnt;
    map.DebAnoAnt = scan.DebAnoAnt;

    std::vector<Leaf> leaves;
    for (auto &[cta, s] : scan.accounts) {
        if (!settleCarried(cta, s))
            continue;
        const QString cod = chart.codCtaByRed.value(cta);
        Leaf leaf{cod.isEmpty() ? missingCode(cta) : cod, cod.isEmpty(), {}};
        leaf.v = {s.before.cred, s.before.deb};
        for (const Side &c : s.cols) {
            leaf.v.push_back(c.cred);
            leaf.v.push_back(c.deb);
        }
        MapaRow r = rowOf(leaf.ExtCta, 3, leaf.v);
        r.Cta = cta;
        r.missingFromChart = leaf.missing;
        r.TituloCta = leaf.missing ? missingTitle() : chart.byCod.value(cod).Descricao;
        map.rows.push_back(r);
        leaves.push_back(std::move(leaf));
    }
    if (map.rows.empty())
        return map;
    for (const LevelRow &l : levelRows(leaves)) {
        MapaRow r = rowOf(l.ExtCta, l.Nv, l.v);
        r.Cta = chart.redByCod.value(l.ExtCta);
        r.TituloCta = chart.byCod.value(l.ExtCta).Descricao;
        map.rows.push_back(r);
    }
    if (map.CredAnoAnt != map.DebAnoAnt) {
        std::vector<Money> v(kSums);
        v[0] = map.CredAnoAnt;
        v[1] = map.DebAnoAnt;
        MapaRow r = rowOf("3", 1, v);
        r.Cta = chart.redByCod.value("3");
        map.rows.push_back(r);
    }
    for (MapaRow &r : map.rows)
        finish(r);
    std::sort(map.rows.begin(), map.rows.end(), [](const MapaRow &a, const MapaRow &b) {
        return a.ExtCta != b.ExtCta ? a.ExtCta < b.ExtCta : a.Nv < b.Nv;
    });
    return map;
}

const MapaRow *YearMap::findExtCta(const QString &code) const
{
    return findByCode(rows, code);
}

std::vector<MapaRow> MudarVisualizacaoMapa(const std::vector<MapaRow> &all, Nivel nivel,
                                           Grupo grupo)
{
    return inViewRows(all, nivel, grupo);
}

QStringList mapColumnTitles(int year)
{
    QStringList t{"Conta", "Red", "Nome da Conta"};
    for (int k = 1; k <= 12; ++k) {
        const QDate ik(year, k, 1);
        if (k == 1)
            t << "Sld " + app::formatDate(ik.addDays(-1), "dd/MM/yy");
        t << "Mov " + app::formatDate(ik, "MMM/yy");
        t << "Sld " + app::formatDate(ik.addMonths(1).addDays(-1), "dd/MM/yy");
    }
    return t;
}

QString mapBandCaption(int year)
{
    return " Balancete [Mapa do Ano " + QString::number(year) + "]";
}

QString mapYearCaption(int year)
{
    return "Ano: " + QString::number(year);
}

MapWindow MapWindow::forMonth(int month)
{
    return {std::clamp(month, 1, 11)};
}

std::vector<int> MapWindow::visibleColumns() const
{
    // Column 2k+2 is Movk and 2k+3 is Sldk; Sld(P-1) is column 2P+1.
    return {0, 1, 2, 2 * P + 1, 2 * P + 2, 2 * P + 3, 2 * P + 4, 2 * P + 5};
}

} // namespace ledger
