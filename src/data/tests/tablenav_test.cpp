// The table object's navigation against a plain ordered query, over a random book written with
// inserts, edits and deletes (through the table object and by statements) in between, under every
// index of the entries table (ties and empty document numbers included) with and without filters:
// the order and count, recordAt, first/next and last/prior, the current record after a write,
// recNo, findKey, findNearest and locate. It runs twice: with the table's usual window of row
// ids, larger than this book, and with a window of four rows, so that every move crosses the
// window's edges, extends it, trims it or reads a far position anew.
#include "installedbook.h"

#include <QRandomGenerator>

#include <vector>

using namespace data;

namespace {

class TableNavigation : public InstalledBook
{
protected:
    struct View
    {
        QString index;
        QString filter;
        QVariantList params;
    };

    // What a plain query gives for the table's current index and filter.
    std::vector<qint64> plainOrder(const View &v)
    {
        Table *t = dm.TbFin;
        QStringList order;
        for (const QString &c : t->indexColumns())
            order << quoteIdent(c);
        order << "rowid";
        Statement st = dm.db().prepare("SELECT rowid FROM " + t->sqlName() +
                                       (v.filter.isEmpty() ? QString() : " WHERE " + v.filter) +
                                       " ORDER BY " + order.join(", "));
        st.bindAll(v.params);
        std::vector<qint64> ids;
        while (st.step())
            ids.push_back(st.column(0).toLongLong());
        return ids;
    }

    // The first row of the plain order meeting `cond`, or 0.
    qint64 firstWhere(const View &v, const QString &cond, const QVariantList &params)
    {
        Table *t = dm.TbFin;
        QStringList order;
        for (const QString &c : t->indexColumns())
            order << quoteIdent(c);
        order << "rowid";
        const QString where = v.filter.isEmpty() ? cond : "(" + v.filter + ") AND (" + cond + ")";
        return dm.db()
            .scalar("SELECT rowid FROM " + t->sqlName() + " WHERE " + where + " ORDER BY " +
                        order.join(", ") + " LIMIT 1",
                    v.params + params)
            .toLongLong();
    }

    void checkAgainst(const View &v, const char *after)
    {
        SCOPED_TRACE(std::string("after ") + after + ", index '" + v.index.toStdString() +
                     "', filter '" + v.filter.toStdString() + "'");
        Table *t = dm.TbFin;
        const std::vector<qint64> ids = plainOrder(v);
        ASSERT_EQ(t->recordCount(), int(ids.size()));
        ASSERT_EQ(t->isEmpty(), ids.empty());
        // The current record is where the plain order has it.
        if (!ids.empty()) {
            const auto at = std::find(ids.begin(), ids.end(), t->current().rowId);
            ASSERT_NE(at, ids.end()) << "current row " << t->current().rowId << " not listed";
            EXPECT_EQ(t->recNo(), int(at - ids.begin()) + 1);
        }
        for (size_t i = 0; i < ids.size(); ++i)
            ASSERT_EQ(t->recordAt(int(i)).rowId, ids[i]) << "recordAt(" << i << ")";
        // Rows asked for out of order, as a scroll bar dragged about asks for them.
        for (int k = 0; k < 12 && !ids.empty(); ++k) {
            const int i = int(m_probe.bounded(int(ids.size())));
            ASSERT_EQ(t->recordAt(i).rowId, ids[size_t(i)]) << "recordAt(" << i << ") by a jump";
        }
        EXPECT_EQ(t->recordAt(int(ids.size())).rowId, 0);
        std::vector<qint64> walked;
        for (t->first(); !t->eof(); t->next())
            walked.push_back(t->current().rowId);
        EXPECT_EQ(walked, ids);
        std::vector<qint64> back;
        for (t->last(); !t->bof(); t->prior())
            back.insert(back.begin(), t->current().rowId);
        EXPECT_EQ(back, ids);
    }

    void TearDown() override
    {
        Table::setWindowRows(m_usualWindow);
        InstalledBook::TearDown();
    }

    void randomWritesAgainstAPlainQuery();

    QRandomGenerator m_probe{77};
    const int m_usualWindow = Table::windowRows();
};

TEST_F(TableNavigation, AgreesWithAPlainOrderedQueryThroughRandomWrites)
{
    randomWritesAgainstAPlainQuery();
}

TEST_F(TableNavigation, AgreesThroughAWindowOfFourRows)
{
    Table::setWindowRows(4);
    randomWritesAgainstAPlainQuery();
}

void TableNavigation::randomWritesAgainstAPlainQuery()
{
    QRandomGenerator rng(2203);
    Table *fin = dm.TbFin;
    const auto day = [&] {
        return QDate(2026, 1, 1).addDays(rng.bounded(40)); // few days: many ties
    };
    const auto numDoc = [&] {
        return rng.bounded(3) == 0 ? QVariant(QString("D%1").arg(rng.bounded(5))) : QVariant();
    };
    const auto write = [&](bool append) {
        append ? fin->append() : fin->edit();
        fin->setValue("Data", day());
        fin->setValue("CtaDeb", rng.bounded(2) ? 11 : 221);
        fin->setValue("CtaCred", rng.bounded(2) ? 13 : 111);
        fin->setValue("Valor", qlonglong(100 * rng.bounded(1, 8)));
        fin->setValue("Hsto", QString("H%1").arg(rng.bounded(6)));
        fin->setValue("NumDoc", numDoc());
        fin->post();
    };
    {
        Transaction tr(dm.db());
        for (int i = 0; i < 120; ++i)
            write(true);
        tr.commit();
    }
    const QString indexes[] = {"", "IdxData", "IdxNumDoc", "IdxValor"};
    View v;
    for (int step = 0; step < 160; ++step) {
        const char *what = "";
        const int op = rng.bounded(11);
        if (op <= 2) {
            what = "a post";
            write(true);
            ASSERT_EQ(fin->state(), Table::State::Browse);
            const qint64 written = fin->current().rowId;
            checkAgainst(v, what);
            // The written row is current, unless the filter leaves it out.
            if (firstWhere(v, "rowid = ?", {written}) == written) {
                fin->moveToRowId(written);
                EXPECT_EQ(fin->current().rowId, written);
            }
            continue;
        } else if (op == 3 && !fin->isEmpty()) {
            what = "an edit";
            fin->moveTo(rng.bounded(fin->recordCount()));
            write(false);
        } else if (op == 4 && !fin->isEmpty()) {
            what = "a delete";
            const int pos = rng.bounded(fin->recordCount());
            fin->moveTo(pos);
            fin->remove();
            if (!fin->isEmpty()) {
                EXPECT_EQ(fin->recNo(), std::min(pos, fin->recordCount() - 1) + 1);
            }
        } else if (op == 5) {
            what = "another index";
            v.index = indexes[rng.bounded(4)];
            fin->setIndexName(v.index);
        } else if (op == 6) {
            what = "another filter";
            switch (rng.bounded(3)) {
            case 0:
                v.filter.clear(), v.params.clear();
                break;
            case 1:
                v.filter = "Data >= ? AND Data <= ?";
                v.params = {day().toString("yyyy-MM-dd"), day().toString("yyyy-MM-dd")};
                break;
            default:
                v.filter = "CtaDeb = ?";
                v.params = {qlonglong(11)};
                break;
            }
            fin->setFilter(v.filter, v.params);
        } else if (op == 7) {
            what = "statements and a refresh";
            dm.db().exec("DELETE FROM " + fin->sqlName() + " WHERE rowid % 9 = ?",
                         {qlonglong(rng.bounded(9))});
            dm.db().exec("INSERT INTO " + fin->sqlName() +
                             " (Data, CtaDeb, CtaCred, Valor, Hsto) VALUES (?, 11, 111, 300, 'S')",
                         {day().toString("yyyy-MM-dd")});
            fin->refresh();
        } else if (op == 8) {
            what = "findNearest";
            const QDate d = day().addDays(rng.bounded(3) == 0 ? 60 : 0);
            fin->setIndexName("IdxData");
            v.index = "IdxData";
            fin->findNearest({d});
            const qint64 expected = firstWhere(v, "Data >= ?", {d.toString("yyyy-MM-dd")});
            if (expected != 0) {
                EXPECT_EQ(fin->current().rowId, expected)
                    << "nearest " << d.toString().toStdString();
            } else if (!fin->isEmpty()) {
                EXPECT_EQ(fin->recNo(), fin->recordCount()) << "nothing after: the last record";
            }
        } else if (op == 9) {
            what = "findKey";
            const QDate d = day();
            fin->setIndexName("IdxData");
            v.index = "IdxData";
            const qint64 expected = firstWhere(v, "Data = ?", {d.toString("yyyy-MM-dd")});
            EXPECT_EQ(fin->findKey({d}), expected != 0);
            if (expected != 0) {
                EXPECT_EQ(fin->current().rowId, expected);
            }
        } else {
            what = "locate";
            const QString h = QString("H%1").arg(rng.bounded(7));
            const qint64 expected = firstWhere(v, "Hsto = ?", {h});
            EXPECT_EQ(fin->locate("Hsto", h), expected != 0);
            if (expected != 0) {
                EXPECT_EQ(fin->current().rowId, expected);
            }
        }
        checkAgainst(v, what);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
