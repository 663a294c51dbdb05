#include "accountlevels.h"

#include <data/database.h>

#include <map>

namespace ledger {

int groupOfCodRed(int codRed)
{
    return codRed < 100 ? 0 : codRed < 200 ? 1 : 2;
}

QString missingCode(int codRed)
{
    return QString::number(groupOfCodRed(codRed)) + ".??.??";
}

QString missingTitle()
{
    return "Conta não cadastrada no Plano de Contas";
}

std::vector<LevelRow> levelRows(const std::vector<Leaf> &leaves)
{
    std::map<QString, LevelRow> rows;
    const auto add = [&](const QString &code, int nv, const std::vector<app::Money> &v) {
        LevelRow &r = rows[code];
        if (r.v.empty()) {
            r = {code, nv, std::vector<app::Money>(v.size())};
        }
        for (size_t i = 0; i < v.size(); ++i)
            r.v[i] += v[i];
    };
    for (const Leaf &l : leaves) {
        add(l.ExtCta.left(1), 1, l.v);
        if (!l.missing)
            add(l.ExtCta.left(4), 2, l.v);
    }
    std::vector<LevelRow> out;
    out.reserve(rows.size());
    for (auto &[code, r] : rows)
        out.push_back(std::move(r));
    return out;
}

Chart readChart(const Book &book)
{
    Chart chart;
    data::Statement st =
        book.db.prepare("SELECT CodCta, CodRed, Descricao FROM " + book.cta + " ORDER BY CodCta");
    while (st.step()) {
        const QString cod = st.column(0).toString();
        const QVariant red = st.column(1);
        chart.byCod.insert(cod, {cod, st.column(2).toString()});
        if (!red.isNull() && red.toInt() > 0) {
            chart.codCtaByRed.insert(red.toInt(), cod);
            chart.redByCod.insert(cod, red.toInt());
        }
    }
    return chart;
}

} // namespace ledger
