#include "matfinviews.h"

#include <app/error.h>
#include <app/format.h>

namespace reports {

static QVariant opt(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant();
}

static QVariant opt(const calc::GridValue &v)
{
    return v ? QVariant(double(*v)) : QVariant();
}

MatFinViews matFinViews(const calc::MatFinPrm &prm, const std::vector<calc::MatFinGridRow> &rows)
{
    MatFinViews v{
        DataView({"PV", "FV", "Prestacao", "Taxa", "NPer", "Entrada"}),
        DataView({"Codigo", "NumParcela", "DataParc", "Pgto", "PgtoPrincipal", "PgtoJuros", "Taxa",
                  "TaxaAcum", "SomaPgto", "SaldoAcum", "PgtoVlrPresente", "VlrCapitalizado"})};
    v.prm.addRow({opt(prm.PV), opt(prm.FV), opt(prm.Prestacao), opt(prm.Taxa), opt(prm.NPer),
                  prm.Entrada ? QVariant(*prm.Entrada) : QVariant()});
    for (const calc::MatFinGridRow &r : rows)
        v.grid.addRow(
            {r.Codigo, r.NumParcela, r.DataParc.isValid() ? QVariant(r.DataParc) : QVariant(),
             opt(r.Pgto), opt(r.PgtoPrincipal), opt(r.PgtoJuros), opt(r.Taxa), opt(r.TaxaAcum),
             opt(r.SomaPgto), opt(r.SaldoAcum), opt(r.PgtoVlrPresente), opt(r.VlrCapitalizado)});
    return v;
}

static void requireRow(const DataView &prm)
{
    if (prm.isEmpty())
        QUORVILA_THROW(app::Error, "Parâmetros do cálculo não disponíveis para o relatório!");
}

static QString money(const DataView &prm, const QString &field)
{
    return app::formatNumber(prm.number(0, field), "#,##0.00");
}

static InfoLine rateLine(const DataView &prm)
{
    return {"Taxa de Juros", "", app::formatNumber(prm.number(0, "Taxa"), "#,##0.00####"),
            "% a.m."};
}

static InfoLine termLine(const DataView &prm)
{
    return {"Prazo", "", app::formatNumber(prm.number(0, "NPer"), "0"), "meses"};
}

static InfoLine entradaLine(const DataView &prm)
{
    return {"Entrada", "", prm.number(0, "Entrada") == 0 ? "Sem" : "Com", ""};
}

InfoBlock loanInfo(const DataView &prm)
{
    requireRow(prm);
    return {"Informações",
            "do Empréstimo",
            {{"Valor do Empréstimo", "R$", money(prm, "PV"), ""},
             {"Prestação", "R$", money(prm, "Prestacao"), ""},
             rateLine(prm),
             termLine(prm),
             entradaLine(prm)}};
}

InfoBlock savingsInfo(const DataView &prm)
{
    requireRow(prm);
    return {"Informações de",
            "Capitalização",
            {{"Depósito Mensal", "R$ ", money(prm, "Prestacao"), ""},
             {"Montante Acumulado", "R$ ", money(prm, "FV"), ""},
             rateLine(prm),
             termLine(prm),
             entradaLine(prm)}};
}

} // namespace reports
