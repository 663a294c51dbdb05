// Timings of the calculator engine: the term-and-rate table (37 x 37 payments) and a 360-row
// loan schedule, each built whole from a parameter row as the loan tab does (target: < 5 ms
// each); and the calculator screen: opening it over its saved rows (< 100 ms), a loan solve with
// its schedule and analysis texts (< 20 ms), the 999-deposit schedule shown in the result window
// (< 200 ms).
#include "bench.h"

#include <calc/UMatFin.h>
#include <calc/schedule.h>
#include <calc/termratetable.h>

#include <app/dates.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <cstdio>

namespace bench {

static calc::MatFinPrm benchLoan()
{
    calc::MatFinPrm row = calc::defaultMatFinPrm(calc::MatFinTab::Emprestimo, QDate(2025, 1, 31));
    row.PV = 300000;
    row.NPer = 360;
    row.Taxa = 0.9;
    row.Prestacao = 2413.86;
    row.Renda = 12000;
    return row;
}

// The screens over a first-run installation and the information base built beside the program
// (its analysis templates); without that file the texts come out empty and are timed as such.
static void runCalcScreenBench(const Options &o)
{
    const QString dir = o.workDir + "/calcScreens";
    QDir().mkpath(dir);
    const QString info = QApplication::applicationDirPath() + "/Dados/TbInfo.DB";
    const bool withTexts = QFile::copy(info, dir + "/TbInfo.DB");
    if (!withTexts)
        std::printf("calc: %s not found, analysis texts timed empty\n", qPrintable(info));
    data::TDM dm;
    dm.DataModuleCreate(dir);
    data::installFirstRun(dm.db(), app::today());
    dm.openSharedTables();
    if (withTexts)
        dm.openInfo();
    dm.pointUserTables("0001");
    dm.OpenUserFiles();

    const double openMs = medianMs(o.repetitions, [&] {
        calc::TFormMatFin form(dm);
        form.show();
        QApplication::processEvents();
    });
    report(QStringLiteral("calc: open the calculator screen with its saved analyses"), openMs,
           o.repetitions);

    calc::TFormMatFin form(dm);
    form.show();
    QApplication::processEvents();
    form.DBEditPV->setText("300000");
    form.DBEditNPer->setText("360");
    form.setLoanMode(calc::LoanMode::Taxa);
    form.DBEditPgtoTaxa->setText("0,9");
    form.DBEditRenda->setText("12000");
    form.DBEditDataParc->setText("31/01/2025");
    const double solveMs = medianMs(o.repetitions, [&] { form.BtCalcularClick(); });
    report(QStringLiteral("calc: 360-month loan solve with its schedule and analysis texts"),
           solveMs, o.repetitions);

    form.setSavingsMode(calc::SavingsMode::Montante);
    form.DBEditPrazo->setText("999");
    form.DBEditTaxa->setText("0,5");
    form.DBEditDeposito->setText("100");
    form.DBEditPoupRenda->setText("5000");
    form.DBEditPoupData->setText("31/01/2025");
    form.BtPoupCalcClick();
    calc::TFormMatFinView &view = form.view();
    const double viewMs = medianMs(o.repetitions, [&] {
        view.preparePage(calc::TFormMatFinView::PoupEvolucao);
        view.show();
        view.repaint();
        QApplication::processEvents();
        view.hide();
    });
    report(QStringLiteral("calc: 999-deposit savings schedule shown in the result window"), viewMs,
           o.repetitions);
}

void runCalcBench(const Options &o)
{
    const calc::MatFinPrm loan = benchLoan();
    volatile long double sink = 0;
    const double tableMs = medianMs(o.repetitions, [&] {
        const calc::TermRateTable t = calc::buildTermRateTable(loan);
        sink = sink + t.prestacoes[19][19];
    });
    report(QStringLiteral("calc: term-and-rate table 37x37"), tableMs, o.repetitions);
    const double scheduleMs = medianMs(o.repetitions, [&] {
        const calc::LoanSchedule s = calc::buildLoanSchedule(loan);
        sink = sink + s.totalInterest;
    });
    report(QStringLiteral("calc: loan schedule 360 rows"), scheduleMs, o.repetitions);
    runCalcScreenBench(o);
}

} // namespace bench
