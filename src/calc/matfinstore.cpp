#include "matfinstore.h"

#include <data/table.h>

namespace calc {

namespace {

std::optional<double> optReal(const data::Table &tb, const char *field)
{
    if (tb.isNull(field))
        return std::nullopt;
    return tb.value(field).toDouble();
}

QVariant variant(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant();
}

bool locateRow(data::Table &tb, int codigo)
{
    return tb.locate("Codigo", codigo);
}

} // namespace

void ensureMatFinRows(data::Table &tb, const QDate &today)
{
    for (MatFinTab tab : {MatFinTab::Emprestimo, MatFinTab::Poupanca, MatFinTab::Calculadora})
        if (!locateRow(tb, int(tab)))
            storeMatFinPrm(tb, defaultMatFinPrm(tab, today));
}

MatFinPrm loadMatFinPrm(data::Table &tb, MatFinTab tab, const QDate &today)
{
    if (!locateRow(tb, int(tab)))
        return defaultMatFinPrm(tab, today);
    MatFinPrm row;
    row.Codigo = int(tab);
    row.Renda = optReal(tb, "Renda");
    row.Taxa = optReal(tb, "Taxa");
    row.NPer = optReal(tb, "NPer");
    row.Prestacao = optReal(tb, "Prestacao");
    row.PV = optReal(tb, "PV");
    row.FV = optReal(tb, "FV");
    if (!tb.isNull("Entrada"))
        row.Entrada = int(tb.asInt("Entrada"));
    row.IncTaxa = optReal(tb, "IncTaxa");
    row.IncNPer = optReal(tb, "IncNPer");
    row.DataParc = tb.asDate("DataParc");
    row.Finalidade = tb.asString("Finalidade");
    return row;
}

void storeMatFinPrm(data::Table &tb, const MatFinPrm &row)
{
    if (locateRow(tb, row.Codigo)) {
        tb.edit();
    } else {
        tb.append();
        tb.setValue("Codigo", row.Codigo);
    }
    tb.setValue("Renda", variant(row.Renda));
    tb.setValue("Taxa", variant(row.Taxa));
    tb.setValue("NPer", variant(row.NPer));
    tb.setValue("Prestacao", variant(row.Prestacao));
    tb.setValue("PV", variant(row.PV));
    tb.setValue("FV", variant(row.FV));
    tb.setValue("Entrada", row.Entrada ? QVariant(*row.Entrada) : QVariant());
    tb.setValue("IncTaxa", variant(row.IncTaxa));
    tb.setValue("IncNPer", variant(row.IncNPer));
    tb.setValue("DataParc", row.DataParc.isValid() ? QVariant(row.DataParc) : QVariant());
    tb.setValue("Finalidade", row.Finalidade.isEmpty() ? QVariant() : QVariant(row.Finalidade));
    try {
        tb.post();
    } catch (...) {
        tb.cancel();
        throw;
    }
}

} // namespace calc
