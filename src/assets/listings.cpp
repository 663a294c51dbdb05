#include "listings.h"

#include <app/format.h>
#include <data/table.h>

namespace assets {

std::vector<AssetRow> rowsOf(const data::Table &bens)
{
    const data::TableDef &d = bens.def();
    const int cod = d.indexOf("Codigo"), descr = d.indexOf("Descricao"),
              dt = d.indexOf("DtAquisicao"), cat = d.indexOf("CodCat"),
              vlr = d.indexOf("VlrAquisicao");
    std::vector<AssetRow> out;
    out.reserve(size_t(bens.recordCount()));
    for (int i = 0; i < bens.recordCount(); ++i) {
        const data::Record r = bens.recordAt(i);
        out.push_back({r.values.value(cod).toLongLong(), r.values.value(descr).toString(),
                       r.values.value(dt).toDate(), r.values.value(cat).toLongLong(),
                       r.calc.value("Categoria").toString(),
                       app::Money::fromCentavos(r.values.value(vlr).toLongLong()),
                       app::Money::fromCentavos(r.calc.value("ValorAtual").toLongLong())});
    }
    return out;
}

QString valueColumnTitle(QDate dtFim)
{
    return "Valor em " + dtFim.toString("dd/MM");
}

app::CsvWriter assetListing(const std::vector<AssetRow> &rows, const app::CsvUser &user,
                            const QString &title, QDate dtFim, const QString &totalCaption,
                            app::Money total)
{
    using W = app::CsvWriter;
    W w(";;;;;;;");
    w.addPreamble(user);
    w.addLine(title + " | " + W::date(dtFim) + w.run());
    w.addEmptyLine();
    w.addLine("Código;Descrição do Bem;Aquisição em;Cat;Categoria;Valor Aquisição;" +
              valueColumnTitle(dtFim) + ";");
    w.addEmptyLine();
    for (const AssetRow &r : rows)
        w.addLine(app::formatNumber(r.codigo, "000000") + ";" + W::quote(r.descricao) + ";\"" +
                  W::date(r.dtAquisicao) + "\";\"" + QString::number(r.codCat) + "\";" +
                  W::quote(r.categoria) + ";\"" + W::number(r.vlrAquisicao) + "\";\"" +
                  W::number(r.valorAtual) + "\";");
    w.addEmptyLine();
    w.addLine(";" + totalCaption + W::date(dtFim) + ";;;;;" + W::number(total) + ";");
    return w;
}

app::CsvWriter categoryListing(const std::vector<CategoryRow> &rows, const app::CsvUser &user)
{
    using W = app::CsvWriter;
    W w(";;");
    w.addPreamble(user);
    w.addLine("Categorias de Bens;;");
    w.addEmptyLine();
    w.addLine("Código;Nome da Categoria;");
    w.addEmptyLine();
    for (const CategoryRow &r : rows)
        w.addLine("\"" + QString::number(r.codCat) + "\";" + W::quote(r.nomeCat) + ";");
    return w;
}

} // namespace assets
