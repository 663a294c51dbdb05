#include "valuation.h"

#include <data/table.h>

#include <algorithm>

namespace assets {

static QString iso(QDate d)
{
    return d.toString(Qt::ISODate);
}

// The signed amount of a change row; an unknown kind is worth nothing.
static const char *kSigned =
    "(CASE TipoVlr WHEN 0 THEN Valor WHEN 1 THEN -Valor WHEN 2 THEN -Valor ELSE 0 END)";

AssetTotals CalcularValorDosBens(const Register &r, QDate dtIni, QDate dtFim, QDate today)
{
    const QString h = iso(today), d1 = iso(dtIni), d2 = iso(dtFim);
    data::Statement b = r.db.prepare(
        "SELECT COALESCE(SUM(CASE WHEN DtAquisicao<=?1 THEN VlrAquisicao END), 0),"
        " COALESCE(SUM(CASE WHEN DtAquisicao<?2 THEN VlrAquisicao END), 0),"
        " COALESCE(SUM(CASE WHEN DtAquisicao>=?2 AND DtAquisicao<=?3 THEN VlrAquisicao END), 0)"
        " FROM " +
        r.bens.sqlName());
    b.bindAll({h, d1, d2});
    b.step();
    // The changes summed by day and kind over the covering index IdxDataTipo (no sort, a few
    // thousand groups for ten years), then told apart by date here.
    app::Money hoje, ant, inc, dec;
    data::Statement v = r.db.prepare("SELECT Data, TipoVlr, SUM(Valor) FROM " + r.vlr.sqlName() +
                                     " WHERE Data<=?1 GROUP BY Data, TipoVlr");
    v.bind(1, std::max(h, d2));
    while (v.step()) {
        const QString data = v.column(0).toString();
        const int sign = kindSign(v.column(1).toLongLong());
        if (sign == 0)
            continue;
        const app::Money sum = app::Money::fromCentavos(v.column(2).toLongLong());
        const app::Money signedSum = sign > 0 ? sum : -sum;
        if (data <= h)
            hoje += signedSum;
        if (data < d1)
            ant += signedSum;
        else if (data <= d2)
            (sign > 0 ? inc : dec) += sum;
    }
    const auto m = [](const data::Statement &s, int i) {
        return app::Money::fromCentavos(s.column(i).toLongLong());
    };
    AssetTotals t;
    t.SlHojeBens = m(b, 0) + hoje;
    t.SlAntBens = m(b, 1) + ant;
    t.SlIncBens = m(b, 2) + inc;
    t.SlDecBens = -dec;
    t.SlAtuBens = t.SlAntBens + t.SlIncBens + t.SlDecBens;
    return t;
}

QHash<qint64, app::Money> valuesAt(const Register &r, QDate d)
{
    QHash<qint64, app::Money> out;
    data::Statement b = r.db.prepare(
        "SELECT Codigo, CASE WHEN DtAquisicao<=?1 THEN COALESCE(VlrAquisicao, 0) ELSE 0 END FROM " +
        r.bens.sqlName());
    b.bind(1, iso(d));
    while (b.step())
        out.insert(b.column(0).toLongLong(), app::Money::fromCentavos(b.column(1).toLongLong()));
    data::Statement v = r.db.prepare(QString("SELECT CodBem, SUM(%1) FROM ").arg(kSigned) +
                                     r.vlr.sqlName() + " WHERE Data<=?1 GROUP BY CodBem");
    v.bind(1, iso(d));
    while (v.step()) {
        const auto it = out.find(v.column(0).toLongLong());
        if (it != out.end()) // changes of an asset that is gone count for nothing
            *it += app::Money::fromCentavos(v.column(1).toLongLong());
    }
    return out;
}

AssetValues::AssetValues(const Register &r) : m_r(r)
{
    m_r.bens.onCalcFields = [this](const data::Table &t, data::Record &rec) {
        const qint64 cod = rec.values.value(t.def().indexOf("Codigo")).toLongLong();
        const std::optional<app::Money> v = cod > 0 ? valueOf(cod) : std::nullopt;
        rec.calc["ValorAtual"] = v ? QVariant(v->centavos()) : QVariant();
        rec.calc["Categoria"] =
            categoryOf(rec.values.value(t.def().indexOf("CodCat")).toLongLong());
    };
    m_r.vlr.onCalcFields = [](const data::Table &t, data::Record &rec) {
        rec.calc["ExtTipoVlr"] =
            kindText(rec.values.value(t.def().indexOf("TipoVlr")).toLongLong());
    };
}

AssetValues::~AssetValues()
{
    m_r.bens.onCalcFields = {};
    m_r.vlr.onCalcFields = {};
}

void AssetValues::setDate(QDate d)
{
    m_date = d;
}

std::optional<app::Money> AssetValues::valueOf(qint64 codigo)
{
    if (!m_enabled || !m_date.isValid() || !m_r.vlr.isActive())
        return std::nullopt;
    ensureFresh();
    const auto it = m_values.constFind(codigo);
    if (it == m_values.constEnd())
        return app::Money();
    return *it;
}

QString AssetValues::categoryOf(qint64 codCat)
{
    // The asset table opens before the categories at sign-in, and its grid asks at once.
    if (!m_r.cat.isActive())
        return {};
    const qint64 counter = m_r.db.changeCounter();
    if (counter != m_catCounter) {
        m_names.clear();
        for (const CategoryRow &c : readCategories(m_r))
            m_names.insert(c.codCat, c.nomeCat);
        m_catCounter = counter;
    }
    return m_names.value(codCat);
}

void AssetValues::ensureFresh()
{
    const qint64 counter = m_r.db.changeCounter();
    if (counter == m_counter && m_cachedFor == m_date)
        return;
    m_values = valuesAt(m_r, m_date);
    m_counter = counter;
    m_cachedFor = m_date;
}

} // namespace assets
