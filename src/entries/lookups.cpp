#include "lookups.h"

#include <data/database.h>
#include <data/table.h>

#include <QRegularExpression>

namespace entries {

std::optional<AccountRef> findAccount(data::Database &db, const data::Table &tbCta, qint64 codRed)
{
    if (codRed <= 0)
        return std::nullopt;
    data::AttachGuard cta(db, tbCta.fileName());
    data::Statement st = db.prepare("SELECT CodCta, Descricao, DescParaHsto FROM " + cta.table() +
                                    " WHERE CodRed=? ORDER BY CodCta LIMIT 1");
    st.bind(1, codRed);
    if (!st.step())
        return std::nullopt;
    return AccountRef{st.column(0).toString(), st.column(1).toString(), st.column(2).toString()};
}

std::optional<QString> findStandardHistory(data::Database &db, const data::Table &tbHsto,
                                           qint64 codigo)
{
    data::AttachGuard hsto(db, tbHsto.fileName());
    data::Statement st = db.prepare("SELECT Descricao FROM " + hsto.table() + " WHERE Codigo=?");
    st.bind(1, codigo);
    if (!st.step())
        return std::nullopt;
    return st.column(0).toString();
}

std::optional<qint64> historyCodeFromText(const QString &text)
{
    QString t = text;
    t.remove(QRegularExpression("\\s"));
    static const QRegularExpression whole("^[-+]?\\d{1,18}$");
    if (!whole.match(t).hasMatch())
        return std::nullopt;
    return t.toLongLong();
}

} // namespace entries
