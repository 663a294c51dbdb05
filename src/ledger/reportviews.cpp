#include "reportviews.h"

#include <app/dates.h>

namespace ledger {

reports::DataView bcteView(std::span<const BcteRow> rows)
{
    reports::DataView v({"ExtCta", "Cta", "Nv", "TituloDescr", "SaldoAnt", "VariacaoSaldo",
                         "SaldoAtual", "TtDeb", "TtCred"});
    for (const BcteRow &r : rows)
        v.addRow({r.ExtCta, r.Cta == 0 ? QVariant() : QVariant(r.Cta), r.Nv, r.TituloDescr,
                  r.SaldoAnt.toDouble(), r.VariacaoSaldo.toDouble(), r.SaldoAtual.toDouble(),
                  r.TtDeb.toDouble(), r.TtCred.toDouble()});
    return v;
}

reports::DataView lctosView(std::span<const LctoRow> rows)
{
    reports::DataView v({"Cta", "Codigo", "Data", "Dest", "Orig", "Hsto", "NumDoc", "Valor"});
    for (const LctoRow &r : rows)
        v.addRow({r.Cta, r.Codigo, r.Data, r.Dest, r.Orig, r.Hsto, r.NumDoc, r.Valor.toDouble()});
    return v;
}

QString saldoAntHeader(const QDate &dtIni)
{
    return "Saldo " + app::formatDate(dtIni.addDays(-1), "dd/MM/yy");
}

QString saldoAtualHeader(const QDate &dtFim)
{
    return "Saldo " + app::formatDate(dtFim, "dd/MM/yy");
}

QString textSaldoAnt(const QDate &dtIni)
{
    return "Saldo Anterior (" + app::formatDate(dtIni.addDays(-1), "dd/MM/yy") + "):";
}

QString textSaldoAtual(const QDate &dtFim)
{
    return "Saldo Atual (" + app::formatDate(dtFim, "dd/MM/yy") + "):";
}

} // namespace ledger
