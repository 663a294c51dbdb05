// Main-window timings on a ten-year book: signing in (InicializarUsuario until the grid is
// ready), moving the grid to a date as the find panel does (near today and anywhere in the book),
// sorting it, and scrolling it as the keyboard and the scroll bar do.
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
    const QDate lastDay(2026, 12, 31);
    generateBook(dir, o.entries, o.years, lastDay);
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
    // Dates spread over the whole book: the row's position is counted from the nearer end, so the
    // middle of the book is the dearest place.
    const QDate firstDay = lastDay.addYears(-o.years);
    const int span = int(firstDay.daysTo(lastDay));
    const double moveAnywhere = medianMs(o.repetitions, [&] {
        fin->disableControls();
        fin->findNearest({firstDay.addDays((span / o.repetitions) * (i++ % o.repetitions))});
        fin->enableControls();
        w.grid()->scrollTo(w.grid()->currentIndex());
    });
    report("move the grid to a date anywhere in the book", moveAnywhere, o.repetitions);
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
    QTableView *grid = w.grid();
    QAbstractItemModel *model = grid->model();
    // What painting a screenful of the grid asks of the model (the grid may sit on a hidden page).
    const auto readScreen = [&](int top) {
        for (int r = top; r < top + 30 && r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c)
                model->data(model->index(r, c), Qt::DisplayRole);
    };
    const double pages = medianMs(o.repetitions, [&] {
        // Ten pages down from the middle of the book, as Page Down pressed ten times does.
        fin->moveTo(fin->recordCount() / 2);
        for (int p = 0; p < 10; ++p) {
            fin->moveTo(fin->recNo() - 1 + 25);
            grid->scrollTo(grid->currentIndex());
            readScreen(fin->recNo() - 1);
        }
    });
    report("scroll the grid ten pages down from the middle", pages, o.repetitions);
    int j = 0;
    const double drag = medianMs(o.repetitions, [&] {
        // The scroll bar dragged to another place: the rows shown there are read and painted.
        const int row = int((qint64(fin->recordCount()) * (j++ * 7 % 15)) / 15);
        grid->scrollTo(model->index(row, 0), QAbstractItemView::PositionAtTop);
        readScreen(row);
    });
    report("drag the grid's scroll bar to another place", drag, o.repetitions);
    app::setTodayForTests(QDate());
}

} // namespace bench
