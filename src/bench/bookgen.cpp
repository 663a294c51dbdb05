#include "bookgen.h"

#include <data/catalogue.h>
#include <data/newuserdata.h>

#include <QRandomGenerator>

namespace bench {

void generateBook(const QString &dir, int entries, int years, const QDate &end)
{
    data::Database db;
    db.setDirDados(dir);
    data::installFirstRun(db, end);
    data::AttachGuard fin(db, "Tb0001Fin.DB");
    // Typical household movements: salary in, expenses out of the bank and the wallet.
    static const int pairs[][2] = {{13, 111}, {221, 13}, {241, 11}, {231, 13}, {11, 13},
                                   {251, 11}, {233, 13}, {262, 21}, {21, 13},  {131, 31}};
    QRandomGenerator rng(42);
    const QDate start = end.addYears(-years);
    const qint64 days = start.daysTo(end);
    data::Transaction tr(db);
    data::Statement st = db.prepare("INSERT INTO " + fin.table() +
                                    " (Data, CtaDeb, CtaCred, Valor, Hsto, Confirmado)"
                                    " VALUES (?, ?, ?, ?, ?, 1)");
    for (int i = 0; i < entries; ++i) {
        const auto &p = pairs[rng.bounded(10)];
        st.bindAll({start.addDays(days * i / entries), p[0], p[1],
                    qlonglong(rng.bounded(100, 500000)), QString("LANCAMENTO %1").arg(i)});
        st.step();
        st.reset();
    }
    tr.commit();
}

} // namespace bench
