#include "categoryfile.h"

#include <QSet>

namespace assets {

QByteArray writeCategoryFile(const std::vector<CategoryRow> &rows,
                             const accounts::TrailerRandom &random)
{
    std::vector<QByteArray> fields;
    fields.reserve(rows.size());
    for (const CategoryRow &c : rows)
        fields.push_back(accounts::numberField(c.codCat, 3) + accounts::textField(c.nomeCat, 30));
    return accounts::writeExchangeFile(fields, kCategoryCycle, random, kCategoryLayout);
}

CategoryFileContent readCategoryFile(const QByteArray &bytes)
{
    const accounts::ExchangeContent c =
        accounts::readExchangeFile(bytes, kCategoryCycle, kCategoryLayout);
    if (c.status != accounts::ExchangeStatus::Valid)
        return {c.status, {}};
    CategoryFileContent invalid;
    CategoryFileContent out{accounts::ExchangeStatus::Valid, {}};
    QSet<qint64> seen;
    for (const QByteArray &f : c.fields) {
        // The code is written zero-filled; a hand-made file may pad it with blanks.
        const std::optional<qint64> cod = accounts::fieldNumber(f.left(3).trimmed());
        const std::optional<QString> name = accounts::fieldText(f.mid(3, 30));
        if (!cod || *cod < 1 || *cod > 99 || seen.contains(*cod) || !name || name->isEmpty())
            return invalid;
        seen.insert(*cod);
        out.rows.push_back({*cod, *name});
    }
    return out;
}

} // namespace assets
