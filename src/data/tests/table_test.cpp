// Record semantics of the table objects over the real table files.
#include <data/UDM.h>
#include <data/filebatch.h>
#include <data/newuserdata.h>

#include <app/error.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace data;

namespace {

class TableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_dm = std::make_unique<TDM>();
        m_dm->DataModuleCreate(m_dir.path());
        FileBatch batch(m_dm->db());
        CriarArquivos(batch, "0001");
        CopiarTabelasAuxiliaresQuorvila(batch, "0001");
        batch.commit();
        m_dm->pointUserTables("0001");
        m_dm->OpenUserFiles();
    }

    void addEntry(const QDate &d, int deb, int cred, qint64 centavos, const QString &hsto,
                  const QString &numDoc = {})
    {
        Table *t = m_dm->TbFin;
        t->append();
        t->setValue("Data", d);
        t->setValue("CtaDeb", deb);
        t->setValue("CtaCred", cred);
        t->setValue("Valor", centavos);
        t->setValue("Hsto", hsto);
        t->setValue("NumDoc", numDoc);
        t->post();
    }

    QList<qint64> codes()
    {
        QList<qint64> out;
        Table *t = m_dm->TbFin;
        for (t->first(); !t->eof(); t->next())
            out << t->asInt("Codigo");
        return out;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TDM> m_dm;
};

TEST_F(TableTest, AutoIncFollowsInsertOrderAndIsNeverReused)
{
    addEntry(QDate(2026, 3, 1), 11, 111, 100, "A");
    addEntry(QDate(2026, 1, 1), 11, 111, 200, "B");
    addEntry(QDate(2026, 2, 1), 11, 111, 300, "C");
    EXPECT_EQ(codes(), (QList<qint64>{1, 2, 3}));
    m_dm->TbFin->last();
    m_dm->TbFin->remove();
    addEntry(QDate(2026, 2, 1), 11, 111, 300, "D");
    EXPECT_EQ(m_dm->TbFin->asInt("Codigo"), 4);
    EXPECT_EQ(codes(), (QList<qint64>{1, 2, 4}));
}

TEST_F(TableTest, SecondaryIndexesOrderByTheirColumns)
{
    addEntry(QDate(2026, 3, 1), 11, 111, 500, "A", "B-2");
    addEntry(QDate(2026, 1, 1), 11, 111, 500, "B");
    addEntry(QDate(2026, 1, 1), 11, 111, 100, "C", "A-1");
    m_dm->TbFin->setIndexName("IdxData");
    EXPECT_EQ(codes(), (QList<qint64>{2, 3, 1}));
    m_dm->TbFin->setIndexName("IdxValor");
    EXPECT_EQ(codes(), (QList<qint64>{3, 2, 1}));
    // A null document number sorts first.
    m_dm->TbFin->setIndexName("IdxNumDoc");
    EXPECT_EQ(codes(), (QList<qint64>{2, 3, 1}));
    EXPECT_THROW(m_dm->TbFin->setIndexName("IdxNada"), app::StorageError);
}

TEST_F(TableTest, WrittenRowsTakeTheirPlaceInTheCurrentOrder)
{
    // Posts place the row by a search over the index keys; the order must equal a full re-read.
    Table *t = m_dm->TbFin;
    t->setIndexName("IdxNumDoc");
    addEntry(QDate(2026, 3, 1), 11, 111, 100, "A", "Ç-9");
    addEntry(QDate(2026, 1, 1), 11, 111, 100, "B");
    addEntry(QDate(2026, 2, 1), 11, 111, 100, "C", "C-1");
    addEntry(QDate(2026, 1, 1), 11, 111, 100, "D", "C-1");
    addEntry(QDate(2025, 1, 1), 11, 111, 100, "E");
    ASSERT_TRUE(t->locate("Hsto", "B"));
    t->edit();
    t->setValue("NumDoc", "Z");
    t->post();
    EXPECT_EQ(t->asString("Hsto"), "B");
    const QList<qint64> placed = codes();
    t->refresh();
    EXPECT_EQ(codes(), placed);
    EXPECT_EQ(placed, (QList<qint64>{5, 4, 3, 2, 1}));
}

TEST_F(TableTest, FindKeyNearestAndLocate)
{
    Table *cta = m_dm->TbCta;
    EXPECT_TRUE(cta->findKey({"2.04.01"}));
    EXPECT_EQ(cta->asString("Descricao"), "Aluguel");
    EXPECT_FALSE(cta->findKey({"2.04.99"}));
    cta->findNearest({"2.04.99"});
    EXPECT_EQ(cta->asString("CodCta"), "2.05");
    cta->findNearest({"9"});
    EXPECT_EQ(cta->recNo(), cta->recordCount());
    // Unicode-aware case folding: "condomínio" matches "Condomínio e Agua".
    EXPECT_TRUE(cta->locate("Descricao", "CONDOMÍNIO", {true, true}));
    EXPECT_EQ(cta->asInt("CodRed"), 232);
    EXPECT_TRUE(cta->locate("CodRed", 241));
    EXPECT_EQ(cta->asString("CodCta"), "2.05.01");
    EXPECT_FALSE(cta->locate("CodRed", 999));
}

TEST_F(TableTest, RequiredFieldKeepsTheRecordInInsertState)
{
    Table *t = m_dm->TbFin;
    t->append();
    t->setValue("Data", QDate(2026, 1, 5));
    t->setValue("CtaDeb", 11);
    t->setValue("CtaCred", 111);
    t->setValue("Valor", 100);
    t->setValue("Hsto", "   ");
    try {
        t->post();
        FAIL() << "post accepted an empty history";
    } catch (const app::StorageError &e) {
        EXPECT_EQ(e.text(), "Campo 'Hsto' deve ser preenchido");
    }
    EXPECT_EQ(t->state(), Table::State::Insert);
    t->setValue("Hsto", "Agora sim");
    t->post();
    EXPECT_EQ(t->recordCount(), 1);
}

// Whatever path writes it, no money field of the books stores more than the largest amount.
TEST_F(TableTest, MoneyFieldsOverTheLargestAmountAreRefusedOnPost)
{
    const QString message = "Campo '%1' com valor acima do máximo permitido.\r\nO maior valor "
                            "aceito para um lançamento é 999.999.999,99.";
    struct Case
    {
        Table *table;
        const char *field;
    };
    for (const Case &c : {Case{m_dm->TbFin, "Valor"}, Case{m_dm->TbOrc, "ValorOrcado"},
                          Case{m_dm->TbBens, "VlrAquisicao"}, Case{m_dm->TbBensVlr, "Valor"}}) {
        SCOPED_TRACE(c.field);
        Table *t = c.table;
        if (!t->isActive())
            t->open();
        const int before = t->recordCount();
        t->append();
        if (t == m_dm->TbFin) {
            t->setValue("Data", QDate(2026, 1, 5));
            t->setValue("CtaDeb", 11);
            t->setValue("CtaCred", 111);
            t->setValue("Hsto", "Grande");
        } else if (t == m_dm->TbOrc) {
            t->setValue("Data", QDate(2026, 1, 1));
            t->setValue("CodRed", 201);
        } else if (t == m_dm->TbBens) {
            t->setValue("Codigo", 77);
        }
        for (const qint64 over : {app::kMaxAmountCentavos + 1, -app::kMaxAmountCentavos - 1,
                                  Q_INT64_C(99999999999999999)}) {
            t->setValue(c.field, qlonglong(over));
            try {
                t->post();
                ADD_FAILURE() << "post stored " << over;
            } catch (const app::StorageError &e) {
                EXPECT_EQ(e.text(), message.arg(c.field));
            }
            EXPECT_EQ(t->state(), Table::State::Insert);
        }
        t->setValue(c.field, qlonglong(-app::kMaxAmountCentavos));
        t->post();
        EXPECT_EQ(t->asMoney(c.field).centavos(), -app::kMaxAmountCentavos);
        t->edit();
        t->setValue(c.field, qlonglong(app::kMaxAmountCentavos + 1));
        EXPECT_THROW(t->post(), app::StorageError);
        EXPECT_EQ(t->state(), Table::State::Edit);
        t->cancel();
        EXPECT_EQ(t->recordCount(), before + 1);
    }
}

TEST_F(TableTest, DuplicateKeyIsRefusedAndEditingGoesOn)
{
    Table *cta = m_dm->TbCta;
    const int before = cta->recordCount();
    cta->append();
    cta->setValue("CodCta", "2.04.01");
    cta->setValue("Descricao", "Outra");
    EXPECT_THROW(cta->post(), app::StorageError);
    EXPECT_EQ(cta->state(), Table::State::Insert);
    cta->cancel();
    EXPECT_EQ(cta->recordCount(), before);
}

TEST_F(TableTest, CharFieldsAreCutTrimmedAndEmptyIsNull)
{
    Table *h = m_dm->TbHsto;
    h->append();
    h->setValue("Codigo", 500);
    h->setValue("Descricao", QString(90, 'x') + "   ");
    h->setValue("Tipo", "");
    h->post();
    ASSERT_TRUE(h->findKey({500}));
    EXPECT_EQ(h->asString("Descricao"), QString(80, 'x'));
    EXPECT_TRUE(h->isNull("Tipo"));
    h->edit();
    h->setValue("Descricao", "fim com brancos   ");
    h->post();
    EXPECT_EQ(h->asString("Descricao"), "fim com brancos");
}

TEST_F(TableTest, LookupFieldsOfEntries)
{
    addEntry(QDate(2026, 1, 5), 241, 13, 5000, "GASOLINA");
    addEntry(QDate(2026, 1, 6), 77, 13, 5000, "SEM CONTA");
    Table *t = m_dm->TbFin;
    t->first();
    EXPECT_EQ(t->asString("ContaDestino"), "2.05.01 - Combustível e Oleo");
    EXPECT_EQ(t->asString("ContaOrigem"), "0.01.03 - Conta Corrente Banco 1");
    t->next();
    EXPECT_EQ(t->asString("ExtCtaDeb"), "");
    EXPECT_EQ(t->asString("ContaDestino"), " - ");
    // Renaming an account shows at once beside the entries.
    ASSERT_TRUE(m_dm->TbCta->findKey({"0.01.03"}));
    m_dm->TbCta->edit();
    m_dm->TbCta->setValue("Descricao", "Banco Novo");
    m_dm->TbCta->post();
    t->first();
    EXPECT_EQ(t->asString("ContaOrigem"), "0.01.03 - Banco Novo");
}

TEST_F(TableTest, FilterLimitsRowsAndRefreshKeepsTheCurrentRow)
{
    for (int i = 1; i <= 5; ++i)
        addEntry(QDate(2026, i, 1), 11, 111, i * 100, QString("E%1").arg(i));
    Table *t = m_dm->TbFin;
    t->setFilter("Data >= ? AND Data <= ?", {QDate(2026, 2, 1), QDate(2026, 4, 30)});
    EXPECT_EQ(t->recordCount(), 3);
    t->next();
    EXPECT_EQ(t->asInt("Codigo"), 3);
    t->refresh();
    EXPECT_EQ(t->asInt("Codigo"), 3);
    EXPECT_EQ(t->recNo(), 2);
    t->setFilter({});
    EXPECT_EQ(t->recordCount(), 5);
}

TEST(Catalogue, UserFileNamesAndWorkTableNames)
{
    using namespace catalogue;
    EXPECT_EQ(userFileName(codUsuario(12), "Fin"), "Tb0012Fin.DB");
    EXPECT_EQ(userFileName(codUsuario(12345), "Fin"), "Tb12345Fin.DB");
    EXPECT_EQ(tempTableName("00", QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7, 42))),
              "xTMP00261210090507042");
}

TEST(Catalogue, WorkTablesAreTemporaryTablesOfTheConnection)
{
    Database db;
    TableDef def{
        "Grid",
        {{"Codigo", FieldType::AutoInc, 0, false, {}}, {"Pgto", FieldType::Real, 0, false, {}}},
        {"Codigo"},
        {}};
    const QString name = "xTMP00261210090507042";
    for (const QString &s : def.ddl({}, name, true))
        db.exec(s);
    Table t(db, "TbMatFinGrid", def);
    t.setTempName(name);
    t.open();
    t.append();
    t.setValue("Pgto", 1.0 / 3.0);
    t.post();
    EXPECT_DOUBLE_EQ(t.value("Pgto").toDouble(), 1.0 / 3.0);
    EXPECT_EQ(t.asInt("Codigo"), 1);
}

} // namespace
