// What the editor reads from the chart, the standard histories and the earlier entries.
#include "printers.h"

#include <entries/historylist.h>
#include <entries/lookups.h>

#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Lookups : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dm.DataModuleCreate(m_dir.path());
        data::installFirstRun(m_dm.db(), QDate(2026, 12, 10));
        m_dm.openSharedTables();
        m_dm.pointUserTables("0001");
        m_dm.OpenUserFiles();
    }
    QTemporaryDir m_dir;
    data::TDM m_dm;
};

TEST_F(Lookups, AccountsByReducedCode)
{
    const auto carteira = entries::findAccount(m_dm.db(), *m_dm.TbCta, 11);
    ASSERT_TRUE(carteira.has_value());
    EXPECT_EQ(carteira->label(), QString("0.01.01 - Carteira"));
    EXPECT_FALSE(entries::findAccount(m_dm.db(), *m_dm.TbCta, 999).has_value());
    EXPECT_FALSE(entries::findAccount(m_dm.db(), *m_dm.TbCta, 0).has_value())
        << "headings have no reduced code";
}

TEST_F(Lookups, StandardHistoriesByCode)
{
    EXPECT_EQ(entries::findStandardHistory(m_dm.db(), *m_dm.TbHsto, 12),
              QString("CREDITO VALE ALIMENTACAO <M>"));
    EXPECT_EQ(entries::findStandardHistory(m_dm.db(), *m_dm.TbHsto, 999), std::nullopt);
}

TEST(HistoryCode, WholeNumbersWithBlanksRemoved)
{
    EXPECT_EQ(entries::historyCodeFromText("12"), 12);
    EXPECT_EQ(entries::historyCodeFromText(" 1 2 "), 12);
    EXPECT_EQ(entries::historyCodeFromText("-3"), -3);
    EXPECT_EQ(entries::historyCodeFromText(""), std::nullopt);
    EXPECT_EQ(entries::historyCodeFromText("12a"), std::nullopt);
    EXPECT_EQ(entries::historyCodeFromText("LUZ 12"), std::nullopt);
    EXPECT_EQ(entries::historyCodeFromText(QString(30, '9')), std::nullopt);
}

// The sample entries: 1 (30/11, 50), 2 (30/11, 200), 3 (01/12, 2000), 4 (02/12, 50), 5 (06/12,
// 100). The list starts at the last entry of the table's current order.
TEST_F(Lookups, EarlierHistoriesWalkTheCurrentOrderBackwards)
{
    const QString h1 = "SALDO ANTERIOR EM DINHEIRO", h2 = "SALDO ANTERIOR CONTA CORRENTE",
                  h3 = "SALARIO DE NOV/26 - NOME DA EMPRESA", h4 = "GASOLINA - NF 4123 POSTO DO ZÉ",
                  h5 = "SAQUE CONTA CORRENTE BANCO 1";
    m_dm.TbFin->setIndexName("IdxData");
    EXPECT_EQ(entries::earlierHistories(m_dm.db(), *m_dm.TbFin), (QStringList{h5, h4, h3, h2, h1}));
    m_dm.TbFin->setIndexName("IdxValor");
    EXPECT_EQ(entries::earlierHistories(m_dm.db(), *m_dm.TbFin), (QStringList{h3, h2, h5, h4, h1}));
}

} // namespace
