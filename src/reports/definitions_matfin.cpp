// The two calculator reports: the evolution of a loan's balance and of a savings plan, each with
// its information block above the schedule and the totals row on a shaded band.
#include "definitions_internal.h"

#include "matfinviews.h"

namespace reports::internal {

static std::vector<Band> infoBands(const InfoBlock &info)
{
    std::vector<Band> bands;
    Band h1;
    h1.height = 13;
    h1.cells = {cell(0, 200, info.heading1, FontRole::Heading)};
    Band h2 = h1;
    h2.cells = {cell(0, 200, info.heading2, FontRole::Heading)};
    bands = {h1, h2};
    for (const InfoLine &l : info.lines) {
        Band b;
        b.height = 12;
        b.cells = {cell(10, 110, l.caption, FontRole::Bold), cell(122, 20, l.prefix),
                   cell(142, 80, l.value, FontRole::Normal, Qt::AlignRight),
                   cell(226, 60, l.suffix)};
        bands.push_back(b);
    }
    bands.push_back(blankBand(10));
    return bands;
}

BandedReport matFinReport(const ReportContext &ctx, bool loan)
{
    BandedReport r;
    r.header.calculator = true;
    const DataView &prm = ctx.view("DvMatFinPrm");
    const DataView &grid = ctx.view("DvMatFinGrid");
    QStringList fields;
    if (loan) {
        r.header.title = "Tabela de Evolução do Saldo Devedor";
        r.opening = infoBands(loanInfo(prm));
        r.columns = {{"Parc", 0, 30, Qt::AlignRight},
                     {"Data Parc", 36, 54, Qt::AlignCenter},
                     {"Vlr Cap (0,5%)", 94, 70, Qt::AlignRight},
                     {"Prestação ", 168, 64, Qt::AlignRight},
                     {"Juros ", 236, 64, Qt::AlignRight},
                     {"Principal ", 304, 64, Qt::AlignRight},
                     {"Saldo Devedor ", 372, 82, Qt::AlignRight},
                     {"Total Pago ", 458, 81, Qt::AlignRight}};
        fields = {"VlrCapitalizado", "Pgto", "PgtoJuros", "PgtoPrincipal", "SaldoAcum", "SomaPgto"};
    } else {
        r.header.title = "Tabela de Evolução de Capitalização";
        r.opening = infoBands(savingsInfo(prm));
        r.columns = {{"Dep", 0, 30, Qt::AlignRight},
                     {"Data Dep", 36, 60, Qt::AlignCenter},
                     {"Vlr Depósito ", 100, 84, Qt::AlignRight},
                     {"Juros ", 188, 84, Qt::AlignRight},
                     {"Total Depósitos ", 276, 120, Qt::AlignRight},
                     {"Vlr Capitalizado", 400, 139, Qt::AlignRight}};
        fields = {"Pgto", "PgtoJuros", "SomaPgto", "SaldoAcum"};
    }
    for (int i = 0; i < grid.rowCount(); ++i) {
        QStringList texts{grid.text(i, "NumParcela"), dateText(grid.value(i, "DataParc"))};
        for (const QString &f : fields)
            texts << amount(grid.value(i, f));
        Band b = rowBand(r.columns, texts);
        if (grid.text(i, "NumParcela") == "Total") {
            b.shade = kTotalShade;
            for (Cell &c : b.cells)
                c.font = FontRole::Bold;
        }
        r.bands.push_back(b);
    }
    return r;
}

} // namespace reports::internal
