#include "reportviews.h"

namespace assets {

reports::DataView assetView(const std::vector<AssetRow> &rows)
{
    reports::DataView v({"Codigo", "Descricao", "DtAquisicao", "CodCat", "Categoria",
                         "VlrAquisicao", "ValorAtual"});
    for (const AssetRow &r : rows)
        v.addRow({r.codigo, r.descricao, r.dtAquisicao, r.codCat, r.categoria,
                  r.vlrAquisicao.toDouble(), r.valorAtual.toDouble()});
    return v;
}

reports::DataView categoryView(const std::vector<CategoryRow> &rows)
{
    reports::DataView v({"CodCat", "NomeCat"});
    for (const CategoryRow &r : rows)
        v.addRow({r.codCat, r.nomeCat});
    return v;
}

} // namespace assets
