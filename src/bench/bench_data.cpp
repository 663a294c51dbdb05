// Storage timings on a ten-year book: building it, posting one entry durably, reading a month.
#include "bench.h"
#include "bookgen.h"

#include <data/UDM.h>
#include <data/fintotals.h>

#include <QDir>

namespace bench {

void runDataBench(const Options &o)
{
    const QDate end(2026, 12, 31);
    int n = 0;
    const double buildMs = medianMs(3, [&] {
        const QString dir = o.workDir + QString("/book%1").arg(n++);
        QDir().mkpath(dir);
        generateBook(dir, o.entries, o.years, end);
    });
    report(QString("build a book of %1 entries").arg(o.entries), buildMs, 3);

    data::TDM dm;
    dm.DataModuleCreate(o.workDir + "/book0");
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    data::Table *fin = dm.TbFin;
    fin->setIndexName("IdxData");

    int i = 0;
    const double postMs = medianMs(o.repetitions, [&] {
        fin->append();
        fin->setValue("Data", end.addDays(-(i++ % 300)));
        fin->setValue("CtaDeb", 221);
        fin->setValue("CtaCred", 13);
        fin->setValue("Valor", 12345);
        fin->setValue("Hsto", "SUPERMERCADO");
        fin->post();
    });
    report("post one entry durably (all entries listed)", postMs, o.repetitions);

    data::Table month(dm.db(), "TbFinMes", data::catalogue::fin());
    month.setFileName(fin->fileName());
    month.setIndexName("IdxData");
    month.setFilter("Data >= ? AND Data <= ?", {QDate(2021, 6, 1), QDate(2021, 6, 30)});
    qint64 sum = 0;
    const double monthMs = medianMs(o.repetitions, [&] {
        month.open();
        for (month.first(); !month.eof(); month.next())
            sum += month.asMoney("Valor").centavos();
        month.close();
    });
    report("read one month of entries in date order", monthMs, o.repetitions);

    const QString schema = dm.db().aliasOf(fin->fileName());
    report("sign-in check of the kept totals",
           medianMs(o.repetitions, [&] { data::fintotals::ensure(dm.db(), schema); }),
           o.repetitions);
    report("rebuild the kept totals",
           medianMs(3, [&] { data::fintotals::rebuild(dm.db(), schema); }), 3);
}

} // namespace bench
