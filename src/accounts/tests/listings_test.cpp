// The two CSV listings on the starting data, byte for byte against files written by hand from
// the listing rules (Windows-1252, CR LF), and the quoting of names that hold double quotes.
#include "fixture.h"

#include <accounts/chartstore.h>
#include <accounts/historystore.h>
#include <accounts/listings.h>

#include <QFile>

#include <gtest/gtest.h>

using namespace accounts;
using accounts::testing::Books;

namespace {

QByteArray fixture(const QString &name)
{
    QFile f(QStringLiteral(ACCOUNTS_FIXTURE_DIR) + '/' + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

// Line by line first, so that a difference names its line.
void expectSameLines(const QByteArray &got, const QByteArray &expected)
{
    const QList<QByteArray> g = got.split('\n'), e = expected.split('\n');
    for (qsizetype i = 0; i < qMin(g.size(), e.size()); ++i)
        EXPECT_EQ(g[i].toStdString(), e[i].toStdString()) << "line " << i + 1;
    EXPECT_EQ(g.size(), e.size());
    EXPECT_EQ(got, expected);
}

class Listings : public ::testing::Test
{
protected:
    Books books;
};

TEST_F(Listings, StartingChartMatchesTheHandWrittenFile)
{
    const app::CsvWriter w = chartListing(ChartStore(books.dm).rows(), csvUserOf(books.dm));
    expectSameLines(w.bytes(), fixture("PlanoDeContas.CSV"));
}

TEST_F(Listings, StartingHistoriesMatchTheHandWrittenFile)
{
    const app::CsvWriter w = historyListing(HistoryStore(books.dm).rows(), csvUserOf(books.dm));
    expectSameLines(w.bytes(), fixture("Hsto_Padrao.CSV"));
}

TEST(ListingRows, InnerQuotesAreDoubledInsideQuotedNames)
{
    const app::CsvUser user{"0001", "Ana", "Recife/PE"};
    const QByteArray hsto =
        historyListing({{302, "DOAÇÃO \"ESPECIAL\"", {}}}, user).bytes().split('\n').value(11);
    EXPECT_EQ(hsto, QByteArray("\"302\";\"DOA\xC7\xC3O \"\"ESPECIAL\"\"\";\r"));
    const QByteArray cta =
        chartListing({{"2.04.07", 239, "Casa \"nova\"", {}}}, user).bytes().split('\n').value(11);
    EXPECT_EQ(cta, QByteArray("\"2.04.07\";239;\"Casa \"\"nova\"\"\";\r"));
}

} // namespace
