// The CSV listings of the register, built from plain rows after the shared preamble: the asset
// list (the page's and the search result's) and the categories. Saving them, and the messages
// around it, belong to the screens.
#pragma once

#include "assetstore.h"

#include <app/csvwriter.h>

#include <vector>

namespace data {
class Table;
}

namespace assets {

struct AssetRow
{
    qint64 codigo = 0;
    QString descricao;
    QDate dtAquisicao;
    qint64 codCat = 0;
    QString categoria;
    app::Money vlrAquisicao;
    app::Money valorAtual;
};

// Every row of the asset table object in its current order, with ValorAtual and Categoria from
// its calculated fields.
std::vector<AssetRow> rowsOf(const data::Table &bens);

// `title` is line 8 before " | " and the date ("Relação de Bens", or the search's title
// quoted); `totalCaption` the last line's ("Total dos Bens em ", "Total dos Bens Pesquisados
// em "), followed by `dtFim` and `total`.
app::CsvWriter assetListing(const std::vector<AssetRow> &rows, const app::CsvUser &user,
                            const QString &title, QDate dtFim, const QString &totalCaption,
                            app::Money total);
// Rows in code order.
app::CsvWriter categoryListing(const std::vector<CategoryRow> &rows, const app::CsvUser &user);

// "Valor em dd/MM": the title of the value column.
QString valueColumnTitle(QDate dtFim);

} // namespace assets
