// The register's figures: the five totals of the assets page (SlAntBens ... SlHojeBens) and the
// value of every asset at the end of the period (the ValorAtual column). Each is read with one
// grouped statement per table, never two sums per displayed row; the values are kept while the
// period's end and the connection's change counter stay the same.
#pragma once

#include "assetstore.h"

#include <app/money.h>

#include <QDate>
#include <QHash>

namespace assets {

struct AssetTotals
{
    app::Money SlAntBens;  // every asset on the day before DtIni
    app::Money SlIncBens;  // acquisitions and valorizations from DtIni to DtFim
    app::Money SlDecBens;  // minus the devaluations and sales of the period (0 or negative)
    app::Money SlAtuBens;  // SlAntBens + SlIncBens + SlDecBens: every asset on DtFim
    app::Money SlHojeBens; // every asset on `today`
};

// CalcularValorDosBens. Changes of an unknown kind count nowhere.
AssetTotals CalcularValorDosBens(const Register &r, QDate dtIni, QDate dtFim, QDate today);

// Every asset's value on one day, by Codigo.
QHash<qint64, app::Money> valuesAt(const Register &r, QDate d);

// The ValorAtual of the asset rows: installed as the asset table's calculated fields, it gives
// each row its value on `date()` and its category's name; while switched off (CalcularBens)
// ValorAtual stays empty. The change table's ExtTipoVlr is filled too. Precondition: the register
// outlives it; it removes its handlers when it goes.
class AssetValues
{
public:
    explicit AssetValues(const Register &r);
    ~AssetValues();
    AssetValues(const AssetValues &) = delete;
    AssetValues &operator=(const AssetValues &) = delete;

    void setDate(QDate d);
    // Forgets what was read: another user's tables are open now (the change counter counts only
    // this connection's writes, not a change of files).
    void invalidate()
    {
        m_counter = -1;
        m_catCounter = -1;
    }
    QDate date() const { return m_date; }
    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }
    // The value of asset `codigo` on date(); nothing while switched off or for an unknown code.
    std::optional<app::Money> valueOf(qint64 codigo);
    // The look-up field Categoria: the category's name, empty for an unknown code.
    QString categoryOf(qint64 codCat);

private:
    void ensureFresh();

    Register m_r;
    QDate m_date;
    bool m_enabled = true;
    qint64 m_counter = -1;
    QDate m_cachedFor;
    QHash<qint64, app::Money> m_values;
    qint64 m_catCounter = -1;
    QHash<qint64, QString> m_names;
};

} // namespace assets
