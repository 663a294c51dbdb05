#include "balances.h"

#include "period.h"

#include <app/dates.h>
#include <data/database.h>
#include <data/fintotals.h>
#include <data/table.h>

namespace entries {

namespace {

// The sums each balance needs: per stored date over the whole table, or over part of a month.
const char *const kSums = "sum(CASE WHEN CtaDeb<100 THEN Valor ELSE 0 END),"
                          " sum(CASE WHEN CtaCred<100 THEN Valor ELSE 0 END),"
                          " sum(CASE WHEN CtaCred>100 THEN Valor ELSE 0 END),"
                          " sum(CASE WHEN CtaDeb>100 THEN Valor ELSE 0 END)";

DayTotals dayFrom(const data::Statement &st)
{
    const auto m = [&](int i) {
        return app::Money::fromCentavos(st.column(i).toLongLong());
    };
    return {st.column(0).toString(), m(1), m(2), m(3), m(4)};
}

// With every amount within app::kMaxAmountCentavos, as Table::post() keeps them, even ten million
// entries sum to at most 10^18 centavos: neither SQLite's sum() (which fails with "integer
// overflow" beyond 64 bits) nor the Money sums of the figures can overflow. Only a file written
// without that check can hold larger amounts; it is refused with a clear message instead of a
// storage error or a wrong figure. Two seeks on IdxValor, so the check costs nothing.
void checkAmountsInRange(data::Database &db, const QString &table)
{
    const QString over = "SELECT 1 FROM " + table + " WHERE Valor %1 ? LIMIT 1";
    if (db.scalar(over.arg('>'), {app::kMaxAmountCentavos}).isNull() &&
        db.scalar(over.arg('<'), {-app::kMaxAmountCentavos}).isNull())
        return;
    QUORVILA_THROW(app::Error, "Há lançamentos com valor acima do máximo permitido; os saldos "
                               "não podem ser calculados.\r\n" +
                                   app::maxAmountText());
}

std::vector<DayTotals> readAllDays(data::Database &db, const QString &table)
{
    checkAmountsInRange(db, table);
    data::Statement st = db.prepare(QString("SELECT Data, ") + kSums + " FROM " + table +
                                    " WHERE Data IS NOT NULL GROUP BY Data ORDER BY Data");
    std::vector<DayTotals> days;
    while (st.step())
        days.push_back(dayFrom(st));
    return days;
}

QString storedDay(const QDate &d)
{
    return d.isValid() ? d.toString("yyyy-MM-dd") : QString();
}

} // namespace

Saldos saldosFromDays(const std::vector<DayTotals> &days, const QDate &dtIni, const QDate &dtFim,
                      const QDate &today)
{
    const QString ini = storedDay(dtIni), fim = storedDay(dtFim), hoje = storedDay(today);
    Saldos s;
    for (const DayTotals &d : days) {
        const app::Money cash = d.cashDebit - d.cashCredit;
        if (d.day <= hoje)
            s.SlHoje += cash;
        if (d.day < ini)
            s.SlAnt += cash;
        if (d.day >= ini && d.day <= fim) {
            s.SlReceita += d.income;
            s.SlDespesa -= d.expense;
        }
    }
    s.SlAtu = s.SlAnt + s.SlReceita + s.SlDespesa;
    return s;
}

BalanceCache::BalanceCache(data::Database &db, data::Table &tbFin) : m_db(db), m_fin(tbFin) {}

BalanceCache::~BalanceCache() = default;

// The sums of the entries dated before `d` (by stored text), from the kept totals of the months
// before d's month and the entries of d's own month up to d, over IdxSaldos. A stored date of
// d's month compares with d exactly as it would day by day, so the figures are those of a pass
// over every entry.
DayTotals BalanceCache::before(const QDate &d) const
{
    DayTotals t;
    if (!d.isValid())
        return t;
    const QString month = d.toString("yyyy-MM");
    const QString schema = m_db.aliasOf(m_fin.fileName());
    data::Statement kept = m_db.prepare("SELECT '', sum(CASE WHEN Cta<100 THEN Deb ELSE 0 END),"
                                        " sum(CASE WHEN Cta<100 THEN Cred ELSE 0 END),"
                                        " sum(CASE WHEN Cta>100 THEN Cred ELSE 0 END),"
                                        " sum(CASE WHEN Cta>100 THEN Deb ELSE 0 END) FROM " +
                                        data::fintotals::totalsTable(schema) + " WHERE Mes < ?");
    kept.bind(1, month);
    if (kept.step())
        t = dayFrom(kept);
    data::Statement days = m_db.prepare(QString("SELECT '', ") + kSums + " FROM " +
                                        m_fin.sqlName() + " WHERE Data >= ? AND Data < ?");
    days.bindAll({month, storedDay(d)});
    if (days.step()) {
        const DayTotals part = dayFrom(days);
        t.cashDebit += part.cashDebit;
        t.cashCredit += part.cashCredit;
        t.income += part.income;
        t.expense += part.expense;
    }
    return t;
}

Saldos BalanceCache::fromKeptTotals(const QDate &dtIni, const QDate &dtFim,
                                    const QDate &today) const
{
    const auto cash = [](const DayTotals &t) {
        return t.cashDebit - t.cashCredit;
    };
    Saldos s;
    const DayTotals ini = before(dtIni);
    if (today.isValid())
        s.SlHoje = cash(before(today.addDays(1)));
    s.SlAnt = cash(ini);
    if (dtFim.isValid() && !(dtIni.isValid() && dtFim < dtIni)) {
        const DayTotals fim = before(dtFim.addDays(1));
        s.SlReceita = fim.income - ini.income;
        s.SlDespesa = ini.expense - fim.expense;
    }
    s.SlAtu = s.SlAnt + s.SlReceita + s.SlDespesa;
    return s;
}

void BalanceCache::CalcularSaldos(const Period &p)
{
    if (!m_fin.isActive()) {
        data::AttachGuard fin(m_db, m_fin.fileName());
        m_saldos = saldosFromDays(readAllDays(m_db, fin.table()), p.DtIni, p.DtFim, app::today());
        return;
    }
    if (!data::fintotals::inPlace(m_db, m_db.aliasOf(m_fin.fileName()))) {
        // A file whose totals could not be built (a read-only copy): every day is read.
        m_saldos =
            saldosFromDays(readAllDays(m_db, m_fin.sqlName()), p.DtIni, p.DtFim, app::today());
        return;
    }
    checkAmountsInRange(m_db, m_fin.sqlName());
    m_saldos = fromKeptTotals(p.DtIni, p.DtFim, app::today());
}

void BalanceCache::postEntry()
{
    m_fin.post();
}

void BalanceCache::removeEntry()
{
    m_fin.remove();
}

} // namespace entries
