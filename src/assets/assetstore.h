// The asset register's storage: the user's three tables (assets, their value changes, the
// categories) reached through the data module's table objects and the one connection. Every
// write that touches more than one row is one transaction, so an asset never ends up saved
// without its changes, deleted with its changes left behind, or half renumbered.
#pragma once

#include "assetrules.h"

#include <QVariant>

#include <optional>
#include <vector>

namespace data {
class Database;
class Table;
class TDM;
} // namespace data

namespace assets {

struct Register
{
    data::Database &db;
    data::Table &bens; // TbBens
    data::Table &vlr;  // TbBensVlr
    data::Table &cat;  // TbBensCat
    static Register of(data::TDM &dm);
};

struct CategoryRow
{
    qint64 codCat = 0;
    QString nomeCat;
    bool operator==(const CategoryRow &) const = default;
};

// The highest Codigo + 1, 1 for the first asset. Reads the table file, not the table object,
// so the object's order and position are untouched.
qint64 nextAssetCode(const Register &r);
// The changes of asset `codBem` in date order.
std::vector<ValueChange> readChanges(const Register &r, qint64 codBem);
// The category's name, or nothing when no category has that code.
std::optional<QString> categoryName(const Register &r, qint64 codCat);
// Whether some asset uses the category.
bool categoryInUse(const Register &r, qint64 codCat);
std::vector<CategoryRow> readCategories(const Register &r);

// Precondition: r.bens is inserting or editing the asset. Posts it and replaces its stored
// changes by `changes` in one transaction, then re-reads the value-change table. Throws
// app::StorageError with both tables as they were.
void saveAsset(const Register &r, const std::vector<ValueChange> &changes);
// Deletes the current asset and its value changes in one transaction.
void deleteAsset(const Register &r);

// Precondition: r.cat is inserting or editing the category that had `codCatAnt` (0 for a new
// one). Moves the assets of `codCatAnt` to the category's new code and posts it, in one
// transaction. Throws app::StorageError with the assets and the category unchanged.
void renumberCategory(const Register &r, qint64 codCatAnt);
// Replaces every category by `rows` in one transaction; precondition: no asset exists.
void replaceCategories(const Register &r, const std::vector<CategoryRow> &rows);

} // namespace assets
