#include "listings.h"

#include <app/format.h>

namespace assets {

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
