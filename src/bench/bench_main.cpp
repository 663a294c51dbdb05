// Main-window timings on a ten-year book: signing in (InicializarUsuario until the grid is
// ready) and moving the grid to a date, as the find panel does.
#include "bench.h"
#include "bookgen.h"

#include <app/dates.h>
#include <data/UDM.h>
#include <main/UMain.h>

#include <QDir>
#include <QTableView>

namespace bench {

void runMainBench(const Options &o)
{
    const QString dir = o.workDir + "/mainbook";
    QDir().mkpath(dir);
    generateBook(dir, o.entries, o.years, QDate(2026, 12, 31));
    app::setTodayForTests(QDate(2026, 6, 15));
    data::TDM dm;
    dm.DataModuleCreate(dir);
    dm.openSharedTables();
    main_ui::TFormMainQuorvila_Zx3307 w;
    w.setDataModule(&dm);
    w.show();
    const int reps = std::max(3, o.repetitions / 3);
    const double signIn = medianMs(reps, [&] { w.InicializarUsuario(); });
    report("sign in (InicializarUsuario until the grid is ready)", signIn, reps);

    data::Table *fin = dm.TbFin;
    int i = 0;
    const double move = medianMs(o.repetitions, [&] {
        fin->disableControls();
        fin->findNearest({QDate(2018, 1, 1).addDays(97 * i++)});
        fin->enableControls();
        w.grid()->scrollTo(w.grid()->currentIndex());
    });
    report("move the grid to a date", move, o.repetitions);
    int k = 0;
    const double sort = medianMs(o.repetitions, [&] {
        // As a click on the Data or Valor title does: another order, on the same record.
        const qint64 row = fin->current().rowId;
        fin->disableControls();
        fin->setIndexName(k++ % 2 ? "IdxData" : "IdxValor");
        fin->moveToRowId(row);
        fin->enableControls();
        w.grid()->scrollTo(w.grid()->currentIndex());
    });
    report("sort the grid by another column", sort, o.repetitions);
    app::setTodayForTests(QDate());
}

} // namespace bench
