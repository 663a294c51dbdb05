#include "search.h"

#include <app/format.h>

#include <QRegularExpression>

namespace assets {

static const char *orderText(SearchOrder o)
{
    switch (o) {
    case SearchOrder::Descricao:
        return "ORDER BY b.Descricao, b.Codigo";
    case SearchOrder::DtAquisicao:
        return "ORDER BY b.DtAquisicao, b.Descricao, b.Codigo";
    case SearchOrder::VlrAquisicao:
        return "ORDER BY b.VlrAquisicao, b.DtAquisicao, b.Descricao, b.Codigo";
    case SearchOrder::CodCat:
        return "ORDER BY b.CodCat, b.Descricao, b.DtAquisicao, b.Codigo";
    }
    return "";
}

std::variant<SearchStatement, SearchRefusal> buildSearch(const SearchCriteria &c)
{
    QStringList parts;
    SearchStatement s;
    if (c.useDates) {
        if (c.dtMin > c.dtMax)
            return SearchRefusal{"Data Final deve ser maior ou igual\r\na Data Inicial. Por "
                                 "favor, verifique!",
                                 SearchField::DtMax};
        parts << "(b.DtAquisicao>=? AND b.DtAquisicao<=?)";
        s.params << c.dtMin.toString(Qt::ISODate) << c.dtMax.toString(Qt::ISODate);
    }
    if (!c.text.isEmpty()) {
        // instr() finds the text as it is: no character of it is a wildcard.
        parts << "(instr(qupper(COALESCE(b.Descricao, '')), ?) > 0 OR "
                 "instr(qupper(COALESCE(b.Obs, '')), ?) > 0)";
        const QString u = c.text.toUpper();
        s.params << u << u;
    }
    const QString value = c.value.trimmed();
    if (!value.isEmpty()) {
        const std::optional<app::Money> m = app::parseMoney(value);
        if (!m)
            return SearchRefusal{
                "'" + value +
                    "' não é um valor válido para o campo 'Valor "
                    "Aquisição'.\r\nLembre-se de não digitar o separador de milhar",
                SearchField::Value};
        parts << "(b.VlrAquisicao=?)";
        s.params << m->centavos();
    }
    const QString cats = c.category.simplified();
    if (!cats.isEmpty()) {
        QStringList ors;
        for (const QString &code : cats.split(' ')) {
            bool ok = false;
            const qint64 n = code.toLongLong(&ok);
            if (!ok || code.contains(QRegularExpression("[^0-9]")))
                return SearchRefusal{"'" + code +
                                         "' não é um código de Categoria válido!\r\n"
                                         "Por favor, verifique.",
                                     SearchField::Category};
            ors << "(b.CodCat=?)";
            s.params << n;
        }
        parts << "(" + ors.join(" OR ") + ")";
    }
    if (parts.isEmpty())
        return SearchRefusal{"Por favor, digite a informação\r\nque você quer pesquisar!",
                             SearchField::Text};
    s.where = "WHERE " + parts.join("\nAND ");
    s.orderBy = orderText(c.order);
    return s;
}

QString searchSql(const SearchStatement &s, const QString &bens, const QString &cat)
{
    return "SELECT b.Codigo AS Codigo, b.DtAquisicao AS DtAquisicao, b.VlrAquisicao AS "
           "VlrAquisicao, b.Descricao AS Descricao, b.CodCat AS CodCat, b.Obs AS Obs, "
           "c.NomeCat AS Categoria FROM " +
           bens + " b LEFT JOIN " + cat + " c ON c.CodCat=b.CodCat\n" + s.where + "\n" + s.orderBy;
}

} // namespace assets
