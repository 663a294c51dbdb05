#include "orcview.h"

#include <ledger/accountlevels.h>

#include <app/dates.h>
#include <data/database.h>
#include <reports/reportrules.h>

#include <algorithm>
#include <map>

namespace budget {

using app::Money;

namespace {

QString stored(const QDate &d)
{
    return d.toString("yyyy-MM-dd");
}

// Income and expense accounts; cash accounts (below 100) take no part in a budget.
bool budgeted(int codRed)
{
    return codRed > 100;
}

struct Sums
{
    Money orc, real;
};

enum Sum { kOrc, kReal };

OrcRow rowOf(const QString &extCta, int nv, const std::vector<Money> &v)
{
    OrcRow r;
    r.ExtCta = extCta;
    r.Nv = nv;
    r.Nv1 = extCta.mid(0, 1).toInt();
    r.Nv2 = extCta.mid(2, 2).toInt();
    r.Nv3 = extCta.mid(5, 2).toInt();
    r.ValorOrcado = v[kOrc];
    r.Realizado = v[kReal];
    return r;
}

bool viewOrder(const OrcRow &a, const OrcRow &b)
{
    return a.ExtCta != b.ExtCta ? a.ExtCta < b.ExtCta : a.Nv < b.Nv;
}

// The month's budget rows into `sums`; true when the month has any.
bool readBudget(const BudgetBook &b, const QDate &d1, std::map<int, Sums> &sums)
{
    const data::AttachGuard orc(b.book.db, b.orcFile);
    data::Statement st =
        b.book.db.prepare("SELECT CodRed, ValorOrcado FROM " + orc.table() + " WHERE Data = ?");
    st.bindAll({stored(d1)});
    bool any = false;
    while (st.step()) {
        any = true;
        const int cod = st.column(0).toInt();
        if (budgeted(cod))
            sums[cod].orc += Money::fromCentavos(st.column(1).toLongLong());
    }
    return any;
}

// Credits minus debits of the month's entries into `sums`; true when an entry moved an income or
// expense account. One range of the covering index, each entry counted on both its sides.
bool readRealised(const BudgetBook &b, const QDate &d1, const QDate &d2, std::map<int, Sums> &sums)
{
    data::Statement st = b.book.db.prepare("SELECT CtaDeb, CtaCred, Valor FROM " + b.book.fin +
                                           " INDEXED BY IdxSaldos WHERE Data >= ? AND Data <= ?");
    st.bindAll({stored(d1), stored(d2)});
    bool any = false;
    while (st.step()) {
        const int deb = st.column(0).toInt(), cred = st.column(1).toInt();
        const Money v = Money::fromCentavos(st.column(2).toLongLong());
        if (budgeted(cred)) {
            sums[cred].real += v;
            any = true;
        }
        if (budgeted(deb)) {
            sums[deb].real -= v;
            any = true;
        }
    }
    return any;
}

} // namespace

QString OrcRow::PercRealizado() const
{
    return reports::percentText(Realizado.toDouble(), ValorOrcado.toDouble());
}

QString OrcTotals::percent() const
{
    return reports::percentText(Realizado.toDouble(), ValorOrcado.toDouble());
}

OrcMonth OrcView(const BudgetBook &b, const QDate &dtIniOrc)
{
    OrcMonth m;
    m.DtIniOrc = QDate(dtIniOrc.year(), dtIniOrc.month(), 1);
    m.DtFimOrc = m.DtIniOrc.addMonths(1).addDays(-1);
    const ledger::Chart chart = ledger::readChart(b.book);
    std::map<int, Sums> sums;
    for (auto it = chart.codCtaByRed.cbegin(); it != chart.codCtaByRed.cend(); ++it)
        if (budgeted(it.key()))
            sums[it.key()];
    m.hasBudget = readBudget(b, m.DtIniOrc, sums);
    m.hasEntries = readRealised(b, m.DtIniOrc, m.DtFimOrc, sums);

    std::vector<ledger::Leaf> leaves;
    for (const auto &[cod, s] : sums) {
        const QString codCta = chart.codCtaByRed.value(cod);
        ledger::Leaf leaf{codCta.isEmpty() ? ledger::missingCode(cod) : codCta,
                          codCta.isEmpty(),
                          {s.orc, s.real}};
        OrcRow r = rowOf(leaf.ExtCta, 3, leaf.v);
        r.CodRed = cod;
        r.missingFromChart = leaf.missing;
        r.Descricao = leaf.missing ? ledger::missingTitle() : chart.byCod.value(codCta).Descricao;
        if (leaf.missing)
            r.Nv2 = r.Nv3 = 0;
        m.rows.push_back(r);
        leaves.push_back(std::move(leaf));
    }
    for (const ledger::LevelRow &l : ledger::levelRows(leaves)) {
        OrcRow r = rowOf(l.ExtCta, l.Nv, l.v);
        r.Descricao = chart.byCod.value(l.ExtCta).Descricao;
        if (l.Nv == 1 && (l.ExtCta == "1" || l.ExtCta == "2")) {
            m.totals.ValorOrcado += r.ValorOrcado;
            m.totals.Realizado += r.Realizado;
        }
        m.rows.push_back(r);
    }
    std::sort(m.rows.begin(), m.rows.end(), viewOrder);
    return m;
}

const OrcRow *OrcMonth::findExtCta(const QString &code) const
{
    return ledger::findByCode(rows, code);
}

const OrcRow *OrcMonth::findCodRed(int codRed) const
{
    for (const OrcRow &r : rows)
        if (r.Nv == 3 && r.CodRed == codRed)
            return &r;
    return nullptr;
}

QStringList grupoOrcItems()
{
    return {"Todas", "Entradas/Receita", "Saídas/Despesas"};
}

bool inView(const OrcRow &r, ledger::Nivel nivel, GrupoOrc grupo)
{
    // The budget's groups are the trial balance's "income and expenses", "income" and
    // "expenses".
    const ledger::Grupo g = grupo == GrupoOrc::Entradas ? ledger::Grupo::SoEntradas
                            : grupo == GrupoOrc::Saidas ? ledger::Grupo::SoSaidas
                                                        : ledger::Grupo::ReceitasDespesas;
    return ledger::inView(r.ExtCta, r.Nv, nivel, g);
}

std::vector<OrcRow> MudarVisualizacaoOrcamento(const std::vector<OrcRow> &all, ledger::Nivel nivel,
                                               GrupoOrc grupo)
{
    std::vector<OrcRow> out;
    for (const OrcRow &r : all)
        if (inView(r, nivel, grupo))
            out.push_back(r);
    return out;
}

QString monthCaption(const QDate &dtIniOrc)
{
    return app::formatDate(dtIniOrc, "MMMM/yyyy");
}

QString PanelOrc(const QDate &dtIniOrc)
{
    return " Orçamento [" + monthCaption(dtIniOrc) + "]";
}

QString saldoTitle(const QDate &dtIniOrc, bool afterChange)
{
    return QString(afterChange ? "Saldo " : "Saldo  ") + app::formatDate(dtIniOrc, "MMM") + ".";
}

QStringList columnTitles(const QDate &dtIniOrc, bool afterChange)
{
    return {"Conta",
            "Red",
            "Nome da Conta",
            "Valor Orçado",
            "Realizado",
            "% Realiz",
            saldoTitle(dtIniOrc, afterChange)};
}

QDate monthBefore(const QDate &dtIniOrc)
{
    const QDate d = QDate(dtIniOrc.year(), dtIniOrc.month(), 1).addDays(-1);
    return QDate(d.year(), d.month(), 1);
}

} // namespace budget
