// Balance timings on a ten-year book: the five figures for a month from the kept totals, an entry
// posted and the figures recomputed, and the plain one-query-per-figure sums the kept totals
// replace, for comparison.
#include "bench.h"
#include "bookgen.h"

#include <entries/session.h>

#include <app/dates.h>
#include <data/UDM.h>

#include <QDir>

namespace bench {

static void setMonth(entries::Session &s, const QDate &d)
{
    const entries::DateRange m = entries::CalcularMes(d);
    s.period() = {m.ini, m.fim};
}

static void recompute(entries::Session &s)
{
    s.balances().CalcularSaldos(s.period());
}

// The figures straight from the entries, six sums: what the kept totals are checked against.
static qint64 plainSums(data::TDM &dm, const entries::Period &p)
{
    const QString t = dm.TbFin->sqlName();
    const QString ini = p.DtIni.toString("yyyy-MM-dd");
    const QString fim = p.DtFim.toString("yyyy-MM-dd");
    const QString hoje = app::today().toString("yyyy-MM-dd");
    const auto sum = [&](const QString &cond, const QVariantList &p) {
        return dm.db().scalar("SELECT sum(Valor) FROM " + t + " WHERE " + cond, p).toLongLong();
    };
    return sum("CtaDeb<100 AND Data<=?", {hoje}) - sum("CtaCred<100 AND Data<=?", {hoje}) +
           sum("CtaDeb<100 AND Data<?", {ini}) - sum("CtaCred<100 AND Data<?", {ini}) +
           sum("CtaCred>100 AND Data>=? AND Data<=?", {ini, fim}) -
           sum("CtaDeb>100 AND Data>=? AND Data<=?", {ini, fim});
}

static void newEntry(data::Table *fin, const QDate &d)
{
    fin->append();
    fin->setValue("Data", d);
    fin->setValue("CtaDeb", 221);
    fin->setValue("CtaCred", 13);
    fin->setValue("Valor", 12345);
    fin->setValue("Hsto", "SUPERMERCADO");
}

static void coldAndPlain(data::TDM &dm, entries::Session &s, const Options &o,
                         const QString &suffix)
{
    report("CalcularSaldos from the kept totals" + suffix,
           medianMs(o.repetitions,
                    [&] {
                        s.balances().invalidate();
                        recompute(s);
                    }),
           o.repetitions);
    qint64 sink = 0;
    report("six plain sum queries over the entries (no kept totals)" + suffix,
           medianMs(o.repetitions, [&] { sink += plainSums(dm, s.period()); }), o.repetitions);
}

void runEntriesBench(const Options &o)
{
    const QDate end(2026, 12, 31);
    const QString dir = o.workDir + "/bookEntries";
    QDir().mkpath(dir);
    generateBook(dir, o.entries, o.years, end);
    app::setTodayForTests(QDate(2026, 12, 10));

    data::TDM dm;
    dm.DataModuleCreate(dir);
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    data::Table *fin = dm.TbFin;
    fin->setIndexName("IdxData"); // the main window lists entries by date
    entries::Session session(dm.db(), *fin);
    setMonth(session, QDate(2021, 6, 1));

    coldAndPlain(dm, session, o, "");
    int m = 0;
    report("CalcularSaldos for another month",
           medianMs(o.repetitions,
                    [&] {
                        setMonth(session, QDate(2017, 1, 1).addMonths(m++ % 120));
                        recompute(session);
                    }),
           o.repetitions);

    setMonth(session, QDate(2026, 12, 1));
    recompute(session);
    int i = 0;
    report("post a new entry + CalcularSaldos",
           medianMs(o.repetitions,
                    [&] {
                        newEntry(fin, end.addDays(-(i++ % 300)));
                        session.balances().postEntry();
                        recompute(session);
                    }),
           o.repetitions);
    report("change an entry's date + CalcularSaldos",
           medianMs(o.repetitions,
                    [&] {
                        fin->edit();
                        fin->setValue("Data", end.addDays(-(i++ % 300)));
                        session.balances().postEntry();
                        recompute(session);
                    }),
           o.repetitions);
    report("post through the table object alone + CalcularSaldos",
           medianMs(o.repetitions,
                    [&] {
                        newEntry(fin, end.addDays(-(i++ % 300)));
                        fin->post();
                        recompute(session);
                    }),
           o.repetitions);

    app::setTodayForTests(QDate());
}

} // namespace bench
