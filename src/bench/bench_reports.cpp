// Timings of the ledger report (RepRazao) over one year of a generated book: its data views built
// from the book with plain queries, the report laid out, written as PDF, and its first page
// painted as the preview shows it (layout plus one page). Targets: layout and PDF under 3 s, the
// first page under 1 s.
#include "bench.h"
#include "bookgen.h"

#include <reports/catalogue.h>
#include <reports/pagepaint.h>
#include <reports/pdfwriter.h>

#include <data/UDM.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace bench {

namespace {

struct Sums
{
    qint64 antDeb = 0, antCred = 0, deb = 0, cred = 0;
};

// Debits and credits per reduced code of the year [ini, fim], and the cash accounts' sums before.
QHash<qint64, Sums> accountSums(data::TDM &dm, const QDate &ini, const QDate &fim)
{
    QHash<qint64, Sums> sums;
    const QString f = dm.TbFin->sqlName();
    const auto add = [&](const QString &side, const QString &cond, const QVariantList &params,
                         qint64 Sums::*field) {
        data::Statement st = dm.db().prepare("SELECT " + side + ", sum(Valor) FROM " + f +
                                             " WHERE " + cond + " GROUP BY " + side);
        st.bindAll(params);
        while (st.step())
            sums[st.column(0).toLongLong()].*field += st.column(1).toLongLong();
    };
    add("CtaDeb", "CtaDeb<100 AND Data<?", {ini}, &Sums::antDeb);
    add("CtaCred", "CtaCred<100 AND Data<?", {ini}, &Sums::antCred);
    add("CtaDeb", "Data>=? AND Data<=?", {ini, fim}, &Sums::deb);
    add("CtaCred", "Data>=? AND Data<=?", {ini, fim}, &Sums::cred);
    return sums;
}

// The trial balance's level-3 rows for a period starting on 1 January (no income or expense
// opening), in code order.
reports::DataView bcteView(data::TDM &dm, const QDate &ini, const QDate &fim)
{
    const QHash<qint64, Sums> sums = accountSums(dm, ini, fim);
    reports::DataView v({"Cta", "ExtCta", "TituloDescr", "SaldoAnt", "VariacaoSaldo", "SaldoAtual",
                         "TtDeb", "TtCred"});
    data::Table *cta = dm.TbCta;
    for (cta->first(); !cta->eof(); cta->next()) {
        const qint64 red = cta->asInt("CodRed");
        const Sums s = sums.value(red);
        const bool cash = red < 100;
        const qint64 ant = cash ? s.antDeb - s.antCred : 0;
        const qint64 mov = cash ? s.deb - s.cred : s.cred - s.deb;
        v.addRow({cta->isNull("CodRed") ? QVariant() : QVariant(red), cta->asString("CodCta"),
                  cta->asString("Descricao"), ant / 100.0, mov / 100.0, (ant + mov) / 100.0,
                  s.deb / 100.0, s.cred / 100.0});
    }
    return v;
}

// Every entry of the period under each of its two accounts, signed for that account.
reports::DataView ledgerLines(data::TDM &dm, const QDate &ini, const QDate &fim)
{
    reports::DataView v({"Cta", "Codigo", "Data", "Dest", "Orig", "Hsto", "NumDoc", "Valor"});
    data::Statement st = dm.db().prepare(
        "SELECT CtaDeb AS Cta, Codigo, Data, CtaDeb, CtaCred, Hsto, NumDoc, Valor, 1 FROM " +
        dm.TbFin->sqlName() +
        " WHERE Data>=?1 AND Data<=?2 UNION ALL SELECT CtaCred, Codigo, Data, CtaDeb, CtaCred,"
        " Hsto, NumDoc, Valor, 0 FROM " +
        dm.TbFin->sqlName() + " WHERE Data>=?1 AND Data<=?2 ORDER BY 1, 3, 2");
    st.bindAll({ini.toString("yyyy-MM-dd"), fim.toString("yyyy-MM-dd")});
    while (st.step()) {
        const qint64 cta = st.column(0).toLongLong();
        const bool debit = st.column(8).toInt() == 1;
        const double valor = st.column(7).toLongLong() / 100.0;
        // Money entering a cash account and income are positive.
        const double signedValor = (cta < 100) == debit ? valor : -valor;
        v.addRow({cta, st.column(1), QDate::fromString(st.column(2).toString(), "yyyy-MM-dd"),
                  st.column(3), st.column(4), st.column(5), st.column(6), signedValor});
    }
    return v;
}

} // namespace

void runReportsBench(const Options &o)
{
    const QDate end(2026, 12, 31);
    const QString dir = o.workDir + "/bookReports";
    QDir().mkpath(dir);
    generateBook(dir, o.entries, o.years, end);
    data::TDM dm;
    dm.DataModuleCreate(dir);
    dm.openSharedTables();
    dm.pointUserTables("0001");
    dm.OpenUserFiles();
    dm.TbUser->first();

    const QDate ini(2026, 1, 1);
    reports::Catalogue cat;
    cat.setParameter("ReportTitle1", "Relação de Extratos de Contas Ano 2026");
    cat.setDataView("DvUser", reports::currentRecordView(*dm.TbUser));
    const int reps = std::min(o.repetitions, 5);
    int lines = 0;
    report("RepRazao views from the book (plain queries, one year)",
           medianMs(reps,
                    [&] {
                        cat.setDataView("DvBcte", bcteView(dm, ini, end));
                        reports::DataView v = ledgerLines(dm, ini, end);
                        lines = v.rowCount();
                        cat.setDataView("DvLcPrn", std::move(v));
                    }),
           reps);
    int pages = 0;
    report("RepRazao laid out", medianMs(reps, [&] { pages = cat.build("RepRazao")->pageCount(); }),
           reps);
    const QString pdf = o.workDir + "/razao.pdf";
    report("RepRazao laid out and written as PDF (target < 3000 ms)",
           medianMs(reps, [&] { reports::writePdf(*cat.build("RepRazao"), pdf); }), reps);
    report("RepRazao first page in the preview, layout included (target < 1000 ms)",
           medianMs(reps,
                    [&] {
                        const auto doc = cat.build("RepRazao");
                        // The preview's page at 85 % on a 96-dpi screen.
                        const qreal scale = 96.0 / 72.0 * 0.85;
                        QImage page(QSize(int(595 * scale), int(842 * scale)),
                                    QImage::Format_ARGB32_Premultiplied);
                        page.setDotsPerMeterX(qRound(72 / 0.0254));
                        page.setDotsPerMeterY(qRound(72 / 0.0254));
                        page.fill(Qt::white);
                        QPainter painter(&page);
                        reports::paintPage(*doc, 0, painter, scale);
                    }),
           reps);
    QTextStream(stdout) << "RepRazao: " << lines << " entry lines, " << pages << " pages, PDF "
                        << QFileInfo(pdf).size() / 1024 << " KiB\n";
}

} // namespace bench
