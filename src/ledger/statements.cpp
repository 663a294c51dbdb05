#include "statements.h"

#include <data/database.h>

#include <algorithm>

namespace ledger {

using app::Money;

namespace {

const char *const kColumns = "SELECT Codigo, Data, CtaDeb, CtaCred, Hsto, NumDoc, Valor FROM ";

struct Entry
{
    int Codigo, Dest, Orig;
    QDate Data;
    QString Hsto, NumDoc;
    Money v;
};

Entry entryOf(const data::Statement &st)
{
    return {st.column(0).toInt(),
            st.column(2).toInt(),
            st.column(3).toInt(),
            QDate::fromString(st.column(1).toString(), "yyyy-MM-dd"),
            st.column(4).toString(),
            st.column(5).toString(),
            Money::fromCentavos(st.column(6).toLongLong())};
}

LctoRow rowOf(const Entry &e, bool debit)
{
    LctoRow r;
    r.Cta = debit ? e.Dest : e.Orig;
    r.Codigo = e.Codigo;
    r.Data = e.Data;
    r.Dest = e.Dest;
    r.Orig = e.Orig;
    r.Hsto = e.Hsto;
    r.NumDoc = e.NumDoc;
    (debit ? r.VlrDeb : r.VlrCred) = e.v;
    r.Valor = valorOf(r.Cta, r.VlrDeb, r.VlrCred);
    return r;
}

void runFrom(std::vector<LctoRow>::iterator b, std::vector<LctoRow>::iterator e, Money start)
{
    for (auto it = b; it != e; ++it) {
        start += it->Valor;
        it->Saldo = start;
    }
}

} // namespace

Money valorOf(int cta, Money vlrDeb, Money vlrCred)
{
    if (cta < 100)
        return vlrDeb.centavos() > 0 ? vlrDeb : -vlrCred;
    return vlrDeb.centavos() > 0 ? -vlrDeb : vlrCred;
}

Ledger Ledger::build(const Book &book, const QDate &dtIni, const QDate &dtFim)
{
    data::Statement st = book.db.prepare(kColumns + book.fin + " WHERE Data>=? AND Data<=?");
    st.bindAll({dtIni.toString("yyyy-MM-dd"), dtFim.toString("yyyy-MM-dd")});
    Ledger l;
    while (st.step()) {
        const Entry e = entryOf(st);
        if (e.Dest >= 1)
            l.m_rows.push_back(rowOf(e, true));
        if (e.Orig >= 1)
            l.m_rows.push_back(rowOf(e, false));
    }
    std::sort(l.m_rows.begin(), l.m_rows.end(), [](const LctoRow &a, const LctoRow &b) {
        if (a.Cta != b.Cta)
            return a.Cta < b.Cta;
        if (a.Data != b.Data)
            return a.Data < b.Data;
        if (a.Codigo != b.Codigo)
            return a.Codigo < b.Codigo;
        return a.VlrDeb > b.VlrDeb;
    });
    for (auto b = l.m_rows.begin(); b != l.m_rows.end();) {
        auto e = std::find_if(b, l.m_rows.end(), [&](const LctoRow &r) { return r.Cta != b->Cta; });
        runFrom(b, e, Money());
        b = e;
    }
    return l;
}

Ledger Ledger::fromRows(std::vector<LctoRow> rows)
{
    Ledger l;
    l.m_rows = std::move(rows);
    return l;
}

std::span<const LctoRow> Ledger::of(int cta) const
{
    const auto b = std::partition_point(m_rows.begin(), m_rows.end(),
                                        [&](const LctoRow &r) { return r.Cta < cta; });
    const auto e =
        std::partition_point(b, m_rows.end(), [&](const LctoRow &r) { return r.Cta == cta; });
    return {m_rows.data() + (b - m_rows.begin()), size_t(e - b)};
}

std::vector<LctoRow> readStatement(const Book &book, int cta, const QDate &dtIni,
                                   const QDate &dtFim, Money saldoAnt)
{
    data::Statement st =
        book.db.prepare(kColumns + book.fin +
                        " WHERE Data>=?1 AND Data<=?2 AND (CtaDeb=?3 OR CtaCred=?3)"
                        " ORDER BY Data, Codigo");
    st.bindAll({dtIni.toString("yyyy-MM-dd"), dtFim.toString("yyyy-MM-dd"), cta});
    std::vector<LctoRow> rows;
    while (st.step()) {
        const Entry e = entryOf(st);
        if (e.Dest == cta)
            rows.push_back(rowOf(e, true));
        if (e.Orig == cta)
            rows.push_back(rowOf(e, false));
    }
    runFrom(rows.begin(), rows.end(), saldoAnt);
    return rows;
}

std::vector<LctoRow> withOpening(std::span<const LctoRow> rows, Money saldoAnt)
{
    std::vector<LctoRow> out(rows.begin(), rows.end());
    runFrom(out.begin(), out.end(), saldoAnt);
    return out;
}

std::vector<DayTotal> dailyTotals(std::span<const LctoRow> rows)
{
    std::vector<DayTotal> days;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (days.empty() || days.back().Data != rows[i].Data)
            days.push_back({rows[i].Data, 0, Money(), Money(), i});
        DayTotal &d = days.back();
        ++d.count;
        d.Movimento += rows[i].Valor;
        d.Saldo = rows[i].Saldo;
        d.lastRow = i;
    }
    return days;
}

} // namespace ledger
