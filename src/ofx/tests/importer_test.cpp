// The import of a small statement file into a first-run book: three rows booked with the mark of
// the first code, the similar rows, the closed-period refusal, rows left out, the account checks
// at import time, and a failure part-way that leaves the entries untouched.
#include <ofx/importer.h>
#include <ofx/reader.h>

#include <app/error.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ofx;

namespace {

class Import : public ::testing::Test
{
protected:
    void SetUp() override
    {
        {
            data::Database db;
            db.setDirDados(m_dir.path());
            data::installFirstRun(db, QDate(2007, 11, 5));
        }
        m_dm.DataModuleCreate(m_dir.path());
        m_dm.openSharedTables();
        m_dm.pointUserTables("0001");
        m_dm.OpenUserFiles();
        const Statement st =
            readStatementFile(QString(OFX_FIXTURE_DIR) + "/three_rows.ofx", m_prefs);
        for (const StagingRow &r : st.rows)
            m_rows.push_back({r});
    }

    int entryCount() { return m_dm.db().scalar("SELECT count(*) FROM " + fin()).toInt(); }
    QString fin() const { return m_dm.TbFin->sqlName(); }
    ImportResult import(const std::function<void(int)> &beforeRow = {})
    {
        return importRows(m_dm.db(), *m_dm.TbFin, m_rows, QDate(2007, 11, 5), beforeRow);
    }

    QTemporaryDir m_dir;
    data::TDM m_dm;
    Preferences m_prefs{13, 111, 211, true};
    std::vector<ImportRow> m_rows;
};

TEST_F(Import, BooksEveryRowWithTheMarkOfTheFirstCode)
{
    ASSERT_EQ(m_rows.size(), 3u);
    const int before = entryCount();
    const ImportResult r = import();
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.mark, "[OFX" + QString("%1").arg(r.firstCodigo, 6, 10, QChar('0')) + "]");
    EXPECT_EQ(entryCount(), before + 3);
    data::Statement st = m_dm.db().prepare(
        "SELECT Data, CtaDeb, CtaCred, Valor, Hsto, NumDoc, Confirmado, Obs, DataLog, Controle "
        "FROM " +
        fin() + " WHERE Codigo>=? ORDER BY Codigo");
    st.bindAll({r.firstCodigo});
    const QStringList expected[] = {
        {"2007-10-31", "211", "13", "15000", "CONTA DE LUZ", "[I] 850011"},
        {"2007-11-01", "13", "111", "250000", "SALARIO", "[I]"},
        {"2007-11-04", "211", "13", "4290", defaultHistory(), "[I]"}};
    for (const QStringList &e : expected) {
        ASSERT_TRUE(st.step());
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(st.column(c).toString(), e[c]) << c;
        EXPECT_EQ(st.column(6).toInt(), 1);
        EXPECT_EQ(st.column(7).toString(), r.mark);
        EXPECT_EQ(st.column(8).toString(), "2007-11-05");
        EXPECT_TRUE(st.column(9).isNull()); // Controle stays in the statement
    }
    EXPECT_FALSE(st.step());
    // The table object is on the first imported entry, in code order.
    EXPECT_EQ(m_dm.TbFin->asInt("Codigo"), r.firstCodigo);
    EXPECT_EQ(m_dm.TbFin->indexName(), QString());
}

TEST_F(Import, RowsLeftOutAreNotImported)
{
    m_rows[0].include = false;
    const int before = entryCount();
    const ImportResult r = import();
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(entryCount(), before + 2);
    EXPECT_EQ(m_dm.db()
                  .scalar("SELECT Hsto FROM " + fin() + " WHERE Codigo=?", {r.firstCodigo})
                  .toString(),
              "SALARIO");
}

TEST_F(Import, FailurePartWayWritesNothingAndARetryImportsOnce)
{
    const int before = entryCount();
    EXPECT_THROW(import([](int i) {
                     if (i == 2)
                         throw app::Error("falha simulada");
                 }),
                 app::Error);
    EXPECT_EQ(entryCount(), before);
    EXPECT_EQ(m_dm.db().scalar("SELECT count(*) FROM " + fin() + " WHERE Obs LIKE '[OFX%'").toInt(),
              0);
    EXPECT_EQ(import().count, 3);
    EXPECT_EQ(entryCount(), before + 3);
}

TEST_F(Import, SimilarRowsHaveTheDateAndExactAmountOfAnEntry)
{
    markSimilar(m_dm.db(), fin(), m_rows);
    for (const ImportRow &r : m_rows)
        EXPECT_FALSE(r.similar);
    // An entry on the second row's day with its amount, on other accounts; and one a centavo off
    // the third row's.
    m_dm.db().exec("INSERT INTO " + fin() +
                       " (Data, CtaDeb, CtaCred, Valor, Hsto) VALUES (?,?,?,?,?), (?,?,?,?,?)",
                   {"2007-11-01", 11, 112, 250000, "x", "2007-11-04", 211, 13, 4291, "y"});
    markSimilar(m_dm.db(), fin(), m_rows);
    EXPECT_FALSE(m_rows[0].similar);
    EXPECT_TRUE(m_rows[1].similar);
    EXPECT_FALSE(m_rows[2].similar);
}

TEST_F(Import, ARowOnTheClosedDateBlocksTheWholeImport)
{
    const QDate fechado(2007, 10, 31);
    const auto p = checkImport(m_dm.db(), *m_dm.TbCta, m_prefs, m_rows, fechado);
    ASSERT_TRUE(p);
    EXPECT_EQ(int(p->kind), int(ImportProblem::Kind::Closed));
    EXPECT_EQ(p->message, closedRowsText(1));
    // Left out, the row blocks nothing; with no date nothing is closed.
    m_rows[0].include = false;
    EXPECT_FALSE(checkImport(m_dm.db(), *m_dm.TbCta, m_prefs, m_rows, fechado));
    m_rows[0].include = true;
    EXPECT_FALSE(checkImport(m_dm.db(), *m_dm.TbCta, m_prefs, m_rows, QDate()));
    // Every row closed: still one message, with the count.
    EXPECT_EQ(checkImport(m_dm.db(), *m_dm.TbCta, m_prefs, m_rows, QDate(2007, 12, 31))->message,
              closedRowsText(3));
}

TEST_F(Import, AccountsAreCheckedAgainAtImport)
{
    struct Case
    {
        Preferences prefs;
        ImportProblem::Kind kind;
        OfxAccount account;
        QString message;
    };
    using K = ImportProblem::Kind;
    const Case cases[] = {
        {{0, 111, 211},
         K::AccountNotFilled,
         OfxAccount::Banco,
         "\"Conta Banco\" deve ser preenchida!"},
        {{13, 0, 211},
         K::AccountNotFilled,
         OfxAccount::Receita,
         notFilledText(OfxAccount::Receita)},
        {{13, 111, 0},
         K::AccountNotFilled,
         OfxAccount::Despesa,
         notFilledText(OfxAccount::Despesa)},
        {{101, 111, 211},
         K::AccountOutOfRange,
         OfxAccount::Banco,
         outOfRangeText(OfxAccount::Banco)},
        {{13, 211, 211},
         K::AccountOutOfRange,
         OfxAccount::Receita,
         "Digite um código de \"Conta de Receita\" (entre 101 e 199)!"},
        {{13, 111, 299},
         K::AccountUnknown,
         OfxAccount::Despesa,
         "Este código de \"Conta de Despesa\"\r\né inexistente. Redigite!"},
    };
    for (const Case &c : cases) {
        const auto p = checkImport(m_dm.db(), *m_dm.TbCta, c.prefs, m_rows, QDate());
        ASSERT_TRUE(p) << c.message.toStdString();
        EXPECT_EQ(int(p->kind), int(c.kind));
        EXPECT_EQ(int(*p->account), int(c.account));
        EXPECT_EQ(p->message, c.message);
    }
    for (ImportRow &r : m_rows)
        r.include = false;
    EXPECT_EQ(int(checkImport(m_dm.db(), *m_dm.TbCta, m_prefs, m_rows, QDate())->kind),
              int(ImportProblem::Kind::NothingToImport));
}

} // namespace
