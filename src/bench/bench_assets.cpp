// Asset register timings on 10,000 assets with 100,000 value changes over ten years: the five
// totals of the assets page, and the first screen of the asset grid with every asset valued at
// the period's end (the values read afresh for another date each run).
#include "bench.h"

#include <assets/assetstore.h>
#include <assets/valuation.h>

#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QDir>
#include <QRandomGenerator>

namespace bench {

static void fillRegister(data::TDM &dm, int assets, int changes)
{
    QRandomGenerator gen(17);
    const QDate first(2017, 1, 1);
    data::Transaction tr(dm.db());
    data::Statement b = dm.db().prepare("INSERT INTO " + dm.TbBens->sqlName() +
                                        " (Codigo, DtAquisicao, VlrAquisicao, Descricao, CodCat)"
                                        " VALUES (?, ?, ?, ?, ?)");
    for (int i = 1; i <= assets; ++i) {
        b.reset();
        b.bindAll({i, first.addDays(gen.bounded(3650)).toString(Qt::ISODate),
                   qint64(gen.bounded(10000, 50000000)), QString("Bem %1").arg(i),
                   gen.bounded(1, 10)});
        b.step();
    }
    data::Statement v = dm.db().prepare("INSERT INTO " + dm.TbBensVlr->sqlName() +
                                        " (CodBem, Data, TipoVlr, Valor) VALUES (?, ?, ?, ?)");
    for (int i = 0; i < changes; ++i) {
        v.reset();
        v.bindAll({gen.bounded(1, assets + 1),
                   first.addDays(gen.bounded(3650)).toString(Qt::ISODate), gen.bounded(2),
                   qint64(gen.bounded(100, 100000))});
        v.step();
    }
    tr.commit();
    dm.TbBens->refresh();
}

void runAssetsBench(const Options &o)
{
    const QString dir = o.workDir + "/bookAssets";
    QDir().mkpath(dir);
    data::TDM dm;
    dm.DataModuleCreate(dir);
    data::installFirstRun(dm.db(), {2026, 12, 10});
    dm.openSharedTables();
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    fillRegister(dm, 10000, 100000);
    const assets::Register reg = assets::Register::of(dm);

    qint64 sink = 0;
    report("asset totals (10,000 assets, 100,000 changes)",
           medianMs(o.repetitions,
                    [&] {
                        sink += assets::CalcularValorDosBens(reg, {2026, 6, 1}, {2026, 6, 30},
                                                             {2026, 12, 10})
                                    .SlAtuBens.centavos();
                    }),
           o.repetitions);
    assets::AssetValues values(reg);
    dm.TbBens->setIndexName("IdxCodCat");
    int month = 0;
    report("asset grid's first 20 rows valued at the period's end",
           medianMs(o.repetitions,
                    [&] {
                        // Another month each run, so the values are read again.
                        values.setDate(QDate(2020, 1, 1).addMonths(++month).addDays(-1));
                        for (int r = 0; r < 20; ++r)
                            sink += dm.TbBens->recordAt(r).calc.value("ValorAtual").toLongLong();
                    }),
           o.repetitions);
    if (sink == 42)
        report("(sink)", 0, 0);
}

} // namespace bench
