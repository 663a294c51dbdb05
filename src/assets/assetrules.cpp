#include "assetrules.h"

#include <algorithm>

namespace assets {

QString kindText(qint64 tipoVlr)
{
    switch (tipoVlr) {
    case 0:
        return "Valorização";
    case 1:
        return "Desvalorização";
    case 2:
        return "Venda do Bem";
    default:
        return {};
    }
}

int kindSign(qint64 tipoVlr)
{
    if (tipoVlr == 0)
        return 1;
    return tipoVlr == 1 || tipoVlr == 2 ? -1 : 0;
}

static app::Money signedValue(const ValueChange &c)
{
    const int s = kindSign(c.tipoVlr);
    return s > 0 ? c.valor : s < 0 ? -c.valor : app::Money();
}

app::Money totalValue(app::Money vlrAquisicao, const std::vector<ValueChange> &changes)
{
    app::Money total = vlrAquisicao;
    for (const ValueChange &c : changes)
        total += signedValue(c);
    return total;
}

app::Money valueAt(QDate dtAquisicao, app::Money vlrAquisicao,
                   const std::vector<ValueChange> &changes, QDate d)
{
    app::Money v = dtAquisicao.isValid() && dtAquisicao <= d ? vlrAquisicao : app::Money();
    for (const ValueChange &c : changes)
        if (c.data.isValid() && c.data <= d)
            v += signedValue(c);
    return v;
}

QString unknownCategoryText()
{
    return "Este código de \"Categoria\"\r\né inexistente. Redigite!";
}

std::optional<Refusal> checkAsset(const AssetFields &a, bool categoryExists,
                                  const std::vector<ValueChange> &changes)
{
    if (a.descricao.trimmed().isEmpty())
        return Refusal{"O \"Nome/Descrição do Bem\" deve ser preenchido!", Field::Descricao};
    if (!a.codCat || *a.codCat <= 0)
        return Refusal{"A \"Categoria\" do Bem deve ser preenchida!", Field::CodCat};
    // Checked again here: Alt+G or Enter saves without leaving the category field.
    if (!categoryExists)
        return Refusal{unknownCategoryText(), Field::CodCat};
    if (!a.dtAquisicao.isValid())
        return Refusal{"Você precisa digitar a \"Data de Aquisição\" do Bem!\r\nSe você não "
                       "lembra a data exata, digite uma data aproximada!",
                       Field::DtAquisicao};
    if (a.vlrAquisicao <= app::Money())
        return Refusal{"O \"Valor de Aquisição\" deve ser maior que zero!", Field::VlrAquisicao};
    return ValidarAtualizacoes(a.dtAquisicao, a.vlrAquisicao, changes);
}

std::optional<Refusal> ValidarAtualizacoes(QDate dtAquisicao, app::Money vlrAquisicao,
                                           const std::vector<ValueChange> &changes)
{
    if (changes.empty())
        return std::nullopt;
    for (size_t i = 0; i < changes.size(); ++i)
        if (changes[i].data < dtAquisicao)
            return Refusal{"Data de Atualização do Valor do Bem\r\nnão pode ser menor que a Data "
                           "de Aquisição!",
                           Field::Changes, int(i)};
    int sales = 0;
    int lastSale = -1;
    for (size_t i = 0; i < changes.size(); ++i)
        if (changes[i].tipoVlr == int(Kind::Venda)) {
            ++sales;
            lastSale = int(i);
        }
    const app::Money total = totalValue(vlrAquisicao, changes);
    if (sales >= 2)
        return Refusal{"Só é possível uma Atualização de Valor do Bem do tipo\r\nVenda ou Doação "
                       "do Bem. Por favor, verifique!",
                       Field::Changes, lastSale};
    if (sales == 1) {
        const QDate sold = changes[size_t(lastSale)].data;
        for (size_t i = 0; i < changes.size(); ++i)
            if (changes[i].data > sold)
                return Refusal{"Não é possível uma Atualização de Valor do Bem\r\ndo tipo "
                               "Valorização ou Desvalorização com data\r\nposterior à Venda do "
                               "Bem. Por favor, verifique!",
                               Field::Changes, int(i)};
        if (!total.isZero())
            return Refusal{"Este Bem contém uma Atualização de Valor\r\ndo tipo Venda ou Doação. "
                           "Logo, o Valor Total\r\ndo Bem deve ser zero. Por favor, verifique!",
                           Field::Changes, lastSale};
    }
    if (total < app::Money())
        return Refusal{"O Valor do Bem (Valor de Aquisição com as\r\nAtualizações do Valor do "
                       "Bem) não pode ser\r\nmenor do que zero. Por favor, verifique!",
                       Field::Changes, -1};
    return std::nullopt;
}

std::optional<Refusal> checkChange(const ValueChange &c)
{
    if (!c.data.isValid())
        return Refusal{"Você precisa digitar a \"Data de Atualização do Valor do Bem\"!\r\nSe "
                       "você não lembra a data exata, digite uma data aproximada!",
                       Field::DtAquisicao};
    if (c.valor <= app::Money())
        return Refusal{"O \"Valor de Atualização do Bem\" deve ser maior que zero!",
                       Field::VlrAquisicao};
    return std::nullopt;
}

void sortChanges(std::vector<ValueChange> &changes)
{
    std::stable_sort(changes.begin(), changes.end(),
                     [](const ValueChange &a, const ValueChange &b) {
                         return a.data != b.data ? a.data < b.data : a.tipoVlr < b.tipoVlr;
                     });
}

} // namespace assets
