#include "assetstore.h"

#include <accounts/tablereplace.h>
#include <app/error.h>
#include <data/UDM.h>

#include <QScopeGuard>

namespace assets {

Register Register::of(data::TDM &dm)
{
    return {dm.db(), *dm.TbBens, *dm.TbBensVlr, *dm.TbBensCat};
}

qint64 nextAssetCode(const Register &r)
{
    return r.db.scalar("SELECT COALESCE(MAX(Codigo), 0) + 1 FROM " + r.bens.sqlName()).toLongLong();
}

std::vector<ValueChange> readChanges(const Register &r, qint64 codBem)
{
    data::Statement st =
        r.db.prepare("SELECT Codigo, Data, TipoVlr, Valor, Obs FROM " + r.vlr.sqlName() +
                     " WHERE CodBem=? ORDER BY Data, TipoVlr, Codigo");
    st.bind(1, codBem);
    std::vector<ValueChange> out;
    while (st.step())
        out.push_back(
            {st.column(0).toLongLong(), QDate::fromString(st.column(1).toString(), Qt::ISODate),
             st.column(2).toLongLong(), app::Money::fromCentavos(st.column(3).toLongLong()),
             st.column(4).toString()});
    return out;
}

std::optional<QString> categoryName(const Register &r, qint64 codCat)
{
    data::Statement st = r.db.prepare("SELECT NomeCat FROM " + r.cat.sqlName() + " WHERE CodCat=?");
    st.bind(1, codCat);
    if (!st.step())
        return std::nullopt;
    return st.column(0).toString();
}

bool categoryInUse(const Register &r, qint64 codCat)
{
    return r.db
        .scalar("SELECT EXISTS(SELECT 1 FROM " + r.bens.sqlName() + " WHERE CodCat=?)", {codCat})
        .toBool();
}

std::vector<CategoryRow> readCategories(const Register &r)
{
    data::Statement st =
        r.db.prepare("SELECT CodCat, NomeCat FROM " + r.cat.sqlName() + " ORDER BY CodCat");
    std::vector<CategoryRow> out;
    while (st.step())
        out.push_back({st.column(0).toLongLong(), st.column(1).toString()});
    return out;
}

// After a rollback the table objects must list the rows that are really there again.
static void resync(data::Table &t)
{
    app::noThrow("assets: refresh", [&t] { t.refresh(); });
}

void saveAsset(const Register &r, const std::vector<ValueChange> &changes)
{
    const qint64 codBem = r.bens.asInt("Codigo");
    data::Transaction tr(r.db);
    r.db.exec("DELETE FROM " + r.vlr.sqlName() + " WHERE CodBem=?", {codBem});
    data::Statement ins = r.db.prepare("INSERT INTO " + r.vlr.sqlName() +
                                       " (Codigo, CodBem, Data, TipoVlr, Valor, Obs)"
                                       " VALUES (?, ?, ?, ?, ?, ?)");
    for (const ValueChange &c : changes) {
        if (!app::amountInRange(c.valor.centavos()))
            QUORVILA_THROW(app::StorageError, app::maxAmountText());
        ins.reset();
        ins.bindAll({c.codigo > 0 ? QVariant(c.codigo) : QVariant(), codBem,
                     c.data.toString(Qt::ISODate), c.tipoVlr, c.valor.centavos(),
                     c.obs.isEmpty() ? QVariant() : QVariant(c.obs.left(255))});
        ins.step();
    }
    // The asset goes last: a refused post throws in its edit state with the typed values, and
    // the transaction takes the changes back.
    r.bens.post();
    auto again = qScopeGuard([&r] { resync(r.bens); });
    tr.commit();
    again.dismiss();
    r.vlr.refresh();
}

void deleteAsset(const Register &r)
{
    const qint64 codBem = r.bens.asInt("Codigo");
    auto again = qScopeGuard([&r] {
        resync(r.bens);
        resync(r.vlr);
    });
    data::Transaction tr(r.db);
    r.db.exec("DELETE FROM " + r.vlr.sqlName() + " WHERE CodBem=?", {codBem});
    r.bens.remove();
    tr.commit();
    again.dismiss();
    r.vlr.refresh();
}

void renumberCategory(const Register &r, qint64 codCatAnt)
{
    const qint64 codCat = r.cat.asInt("CodCat");
    data::Transaction tr(r.db);
    if (codCatAnt > 0 && codCatAnt != codCat)
        r.db.exec("UPDATE " + r.bens.sqlName() + " SET CodCat=? WHERE CodCat=?",
                  {codCat, codCatAnt});
    r.cat.post();
    auto again = qScopeGuard([&r] { resync(r.cat); });
    tr.commit();
    again.dismiss();
    r.bens.refresh();
}

void replaceCategories(const Register &r, const std::vector<CategoryRow> &rows)
{
    std::vector<QVariantList> values;
    values.reserve(rows.size());
    for (const CategoryRow &c : rows)
        values.push_back({c.codCat, c.nomeCat});
    accounts::replaceRows(r.db, r.cat, values);
}

} // namespace assets
