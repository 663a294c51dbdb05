// The asset search: the criteria of the search screen turned into one statement over the asset
// table with every typed value bound as a parameter, so quotes, "%" and "_" in the text are
// looked for as they are and nothing typed becomes SQL.
#pragma once

#include "assetrules.h"

#include <QDate>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <variant>

namespace assets {

enum class SearchOrder { Descricao, DtAquisicao, VlrAquisicao, CodCat };

struct SearchCriteria
{
    bool useDates = false;
    QDate dtMin, dtMax;
    QString text;     // matched in any letter case inside Descricao or Obs, blanks kept
    QString value;    // the acquisition value as typed ("1500,5")
    QString category; // codes separated by blanks ("3  5")
    SearchOrder order = SearchOrder::DtAquisicao;
};

enum class SearchField { DtMax, Text, Value, Category };

struct SearchRefusal
{
    QString message;
    SearchField field;
};

struct SearchStatement
{
    QString where; // "WHERE ... AND ..." over the asset table's columns
    QString orderBy;
    QVariantList params;
};

// Checks in the screen's order: the date range first, then the value and the categories (a text
// that is not a number is refused with a message naming it), then that some criterion is given.
std::variant<SearchStatement, SearchRefusal> buildSearch(const SearchCriteria &c);

// The whole statement over `bens` (the asset table's SQL name) and `cat` (the categories'):
// the asset's fields plus Categoria, in the chosen order.
QString searchSql(const SearchStatement &s, const QString &bens, const QString &cat);

} // namespace assets
