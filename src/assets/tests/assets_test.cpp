// The register's rules over a fresh installation: valuation at dates around each kind of change,
// the five totals across the period's edges, the save checks, the category file, the search's
// binding of typed text, and the all-or-nothing writes.
#include <assets/assetstore.h>
#include <assets/categoryfile.h>
#include <assets/listings.h>
#include <assets/search.h>
#include <assets/valuation.h>

#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

using app::Money;
using namespace assets;

namespace {

Money r$(double reais)
{
    return Money::fromDouble(reais);
}

ValueChange ch(QDate d, int kind, Money v)
{
    ValueChange c;
    c.data = d;
    c.tipoVlr = kind;
    c.valor = v;
    return c;
}

class Books : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm.DataModuleCreate(dir.path());
        data::installFirstRun(dm.db(), QDate(2026, 12, 10));
        dm.openSharedTables();
        dm.pointUserTables("0001");
        dm.OpenUserFiles();
    }
    Register reg() { return Register::of(dm); }
    qint64 addAsset(QDate dt, Money v, qint64 cat = 1, const QString &descr = "Carro",
                    const QString &obs = {})
    {
        const qint64 cod = nextAssetCode(reg());
        dm.db().exec("INSERT INTO " + dm.TbBens->sqlName() +
                         " (Codigo, DtAquisicao, VlrAquisicao, Descricao, CodCat, Obs)"
                         " VALUES (?, ?, ?, ?, ?, ?)",
                     {cod, dt.toString(Qt::ISODate), v.centavos(), descr, cat,
                      obs.isEmpty() ? QVariant() : QVariant(obs)});
        dm.TbBens->refresh();
        return cod;
    }
    void addChange(qint64 bem, QDate d, int kind, Money v)
    {
        dm.db().exec("INSERT INTO " + dm.TbBensVlr->sqlName() +
                         " (CodBem, Data, TipoVlr, Valor) VALUES (?, ?, ?, ?)",
                     {bem, d.toString(Qt::ISODate), kind, v.centavos()});
    }
    qint64 count(const data::Table *t)
    {
        return dm.db().scalar("SELECT count(*) FROM " + t->sqlName()).toLongLong();
    }

    QTemporaryDir dir;
    data::TDM dm;
};

// ---------------------------------------------------------------- valuation

struct ValueCase
{
    const char *name;
    QDate at;
    double expected;
};

// Bought 2026-03-10 for 1000; +200 on 04-01; -50 on 05-01; an unknown kind 7 of 999 on 05-01;
// a sale of 1150 and a valorization of 30 on 06-15 with a devaluation of 30 the same day.
class Valuation : public Books, public ::testing::WithParamInterface<ValueCase>
{
protected:
    std::vector<ValueChange> changes{ch({2026, 4, 1}, 0, r$(200)), ch({2026, 5, 1}, 1, r$(50)),
                                     ch({2026, 5, 1}, 7, r$(999)), ch({2026, 6, 15}, 2, r$(1150)),
                                     ch({2026, 6, 15}, 0, r$(30)), ch({2026, 6, 15}, 1, r$(30))};
};

TEST_P(Valuation, PureRuleAndGroupedQueryAgree)
{
    const QDate bought(2026, 3, 10);
    const qint64 cod = addAsset(bought, r$(1000));
    for (const ValueChange &c : changes)
        addChange(cod, c.data, int(c.tipoVlr), c.valor);
    EXPECT_EQ(valueAt(bought, r$(1000), changes, GetParam().at), r$(GetParam().expected));
    EXPECT_EQ(valuesAt(reg(), GetParam().at).value(cod), r$(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Valuation,
    ::testing::Values(ValueCase{"beforeAcquisition", {2026, 3, 9}, 0},
                      ValueCase{"onAcquisitionDay", {2026, 3, 10}, 1000},
                      ValueCase{"dayBeforeValorization", {2026, 3, 31}, 1000},
                      ValueCase{"onValorizationDay", {2026, 4, 1}, 1200},
                      ValueCase{"onDevaluationDayUnknownKindIgnored", {2026, 5, 1}, 1150},
                      ValueCase{"dayBeforeSale", {2026, 6, 14}, 1150},
                      ValueCase{"saleAndChangesSameDay", {2026, 6, 15}, 0},
                      ValueCase{"longAfterSale", {2030, 1, 1}, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Books, TotalsAcrossThePeriodEdges)
{
    // Period December 2026, today 2027-01-10.
    const qint64 a = addAsset({2026, 11, 30}, r$(1000)); // the day before DtIni
    addChange(a, {2026, 11, 30}, 0, r$(200));
    addChange(a, {2026, 12, 1}, 1, r$(50));            // first day of the period
    addChange(a, {2026, 12, 31}, 2, r$(1150));         // last day: sold
    const qint64 b = addAsset({2026, 12, 1}, r$(300)); // bought on DtIni
    addChange(b, {2026, 12, 31}, 0, r$(20));
    addChange(b, {2027, 1, 1}, 0, r$(80)); // the day after DtFim
    addAsset({2027, 1, 5}, r$(500));       // after DtFim, before today
    addAsset({2027, 2, 1}, r$(700));       // after today
    const AssetTotals t = CalcularValorDosBens(reg(), {2026, 12, 1}, {2026, 12, 31}, {2027, 1, 10});
    EXPECT_EQ(t.SlAntBens, r$(1200));
    EXPECT_EQ(t.SlIncBens, r$(320));
    EXPECT_EQ(t.SlDecBens, r$(-1200));
    EXPECT_EQ(t.SlAtuBens, r$(320));
    EXPECT_EQ(t.SlHojeBens, r$(900));
    AssetValues values(reg());
    values.setDate({2026, 12, 31});
    EXPECT_EQ(values.valueOf(a), r$(0));
    EXPECT_EQ(values.valueOf(b), r$(320));
    values.setEnabled(false);
    EXPECT_FALSE(values.valueOf(b).has_value());
}

TEST_F(Books, EmptyRegisterTotalsAreZero)
{
    const AssetTotals t =
        CalcularValorDosBens(reg(), {2026, 12, 1}, {2026, 12, 31}, {2026, 12, 10});
    EXPECT_EQ(t.SlAtuBens, Money());
    EXPECT_EQ(t.SlHojeBens, Money());
}

// ---------------------------------------------------------------- save checks

struct CheckCase
{
    const char *name;
    std::vector<ValueChange> changes;
    const char *messageStart; // empty: passes
    int row = -1;
};

class Checks : public ::testing::TestWithParam<CheckCase>
{
};

TEST_P(Checks, ValidarAtualizacoes)
{
    const auto r = ValidarAtualizacoes({2026, 3, 10}, r$(1000), GetParam().changes);
    if (QString(GetParam().messageStart).isEmpty()) {
        EXPECT_FALSE(r.has_value()) << r->message.toStdString();
        return;
    }
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->message.startsWith(GetParam().messageStart)) << r->message.toStdString();
    EXPECT_EQ(r->field, Field::Changes);
    EXPECT_EQ(r->changeRow, GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Checks,
    ::testing::Values(
        CheckCase{"none", {}, ""}, CheckCase{"onAcquisitionDay", {ch({2026, 3, 10}, 0, r$(5))}, ""},
        CheckCase{"dayBeforeAcquisition", {ch({2026, 3, 9}, 0, r$(5))}, "Data de Atualização", 0},
        CheckCase{
            "threeSales",
            {ch({2026, 4, 1}, 2, r$(1)), ch({2026, 4, 2}, 2, r$(1)), ch({2026, 4, 3}, 2, r$(1))},
            "Só é possível",
            2},
        CheckCase{"saleAfterDevaluationTotalsZero",
                  {ch({2026, 4, 1}, 1, r$(100)), ch({2026, 5, 1}, 2, r$(900))},
                  ""},
        CheckCase{"saleLeavesHundred",
                  {ch({2026, 4, 1}, 1, r$(100)), ch({2026, 5, 1}, 2, r$(800))},
                  "Este Bem contém",
                  1},
        CheckCase{"valorizationAfterSale",
                  {ch({2026, 4, 1}, 2, r$(1000)), ch({2026, 5, 1}, 0, r$(10))},
                  "Não é possível",
                  1},
        CheckCase{"devaluationBelowZero", {ch({2026, 4, 1}, 1, r$(1000.01))}, "O Valor do Bem"},
        CheckCase{"compensatedDevaluation",
                  {ch({2026, 4, 1}, 0, r$(500)), ch({2026, 5, 1}, 1, r$(1200))},
                  ""},
        CheckCase{"unknownKindCountsNothing", {ch({2026, 4, 1}, 9, r$(5000))}, ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AssetChecks, FieldsInOrderAndMissingCategory)
{
    AssetFields a{"", 3, {2026, 1, 1}, r$(10)};
    EXPECT_EQ(checkAsset(a, true, {})->field, Field::Descricao);
    a.descricao = "Casa";
    a.codCat.reset();
    EXPECT_EQ(checkAsset(a, true, {})->field, Field::CodCat);
    a.codCat = 42;
    // A category that does not exist is refused at save with the field's own message.
    const auto missing = checkAsset(a, false, {});
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->field, Field::CodCat);
    EXPECT_EQ(missing->message, unknownCategoryText());
    a.dtAquisicao = {};
    EXPECT_EQ(checkAsset(a, true, {})->field, Field::DtAquisicao);
    a.dtAquisicao = {2026, 1, 1};
    a.vlrAquisicao = Money();
    EXPECT_EQ(checkAsset(a, true, {})->field, Field::VlrAquisicao);
    a.vlrAquisicao = r$(10);
    EXPECT_FALSE(checkAsset(a, true, {}));
}

// ---------------------------------------------------------------- store

TEST_F(Books, CodesStartAtOneAndReuseTheLast)
{
    EXPECT_EQ(nextAssetCode(reg()), 1);
    addAsset({2026, 1, 1}, r$(1));
    const qint64 second = addAsset({2026, 1, 1}, r$(1));
    ASSERT_TRUE(dm.TbBens->findKey({second}));
    deleteAsset(reg());
    EXPECT_EQ(nextAssetCode(reg()), 2);
}

TEST_F(Books, SaveReplacesChangesAndFailureKeepsBoth)
{
    const qint64 cod = addAsset({2026, 1, 1}, r$(1000));
    addChange(cod, {2026, 2, 1}, 0, r$(5));
    ASSERT_TRUE(dm.TbBens->findKey({cod}));
    dm.TbBens->edit();
    dm.TbBens->setValue("Descricao", "Casa");
    saveAsset(reg(), {ch({2026, 3, 1}, 1, r$(7)), ch({2026, 4, 1}, 0, r$(9))});
    auto stored = readChanges(reg(), cod);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].valor, r$(7));

    // An acquisition value over the maximum is refused by the post: the changes stay as they were.
    dm.TbBens->edit();
    dm.TbBens->setValue("VlrAquisicao", app::kMaxAmountCentavos + 1);
    EXPECT_THROW(saveAsset(reg(), {ch({2026, 5, 1}, 0, r$(1))}), app::StorageError);
    EXPECT_EQ(readChanges(reg(), cod).size(), 2u);
    dm.TbBens->cancel();
}

TEST_F(Books, DeleteTakesTheChangesAlong)
{
    const qint64 keep = addAsset({2026, 1, 1}, r$(10));
    addChange(keep, {2026, 2, 1}, 0, r$(1));
    const qint64 gone = addAsset({2026, 1, 1}, r$(10));
    addChange(gone, {2026, 2, 1}, 0, r$(1));
    addChange(gone, {2026, 3, 1}, 1, r$(1));
    ASSERT_TRUE(dm.TbBens->findKey({gone}));
    deleteAsset(reg());
    EXPECT_EQ(count(dm.TbBens), 1);
    EXPECT_EQ(count(dm.TbBensVlr), 1);
    EXPECT_TRUE(readChanges(reg(), gone).empty());
}

TEST_F(Books, RenumberMovesTheAssetsAndRefusedPostMovesNothing)
{
    addAsset({2026, 1, 1}, r$(10), 3);
    addAsset({2026, 1, 1}, r$(10), 3);
    ASSERT_TRUE(dm.TbBensCat->findKey({3}));
    dm.TbBensCat->edit();
    dm.TbBensCat->setValue("CodCat", 77);
    const int categories = dm.TbBensCat->recordCount();
    renumberCategory(reg(), 3);
    EXPECT_FALSE(categoryInUse(reg(), 3));
    // The table object lists the row once, under its new code (its row id moved with it).
    EXPECT_EQ(dm.TbBensCat->recordCount(), categories);
    EXPECT_EQ(dm.TbBensCat->asInt("CodCat"), 77);
    dm.TbBensCat->last();
    EXPECT_EQ(dm.TbBensCat->asInt("CodCat"), 77);
    EXPECT_EQ(dm.db()
                  .scalar("SELECT count(*) FROM " + dm.TbBens->sqlName() + " WHERE CodCat=77")
                  .toLongLong(),
              2);
    // Onto an existing code: the post fails and the assets stay on 77.
    ASSERT_TRUE(dm.TbBensCat->findKey({77}));
    dm.TbBensCat->edit();
    dm.TbBensCat->setValue("CodCat", 5);
    EXPECT_THROW(renumberCategory(reg(), 77), app::StorageError);
    dm.TbBensCat->cancel();
    EXPECT_TRUE(categoryInUse(reg(), 77));
    EXPECT_FALSE(categoryInUse(reg(), 5));
}

// ---------------------------------------------------------------- category file

static qint64 fixedRandom(qint64 maxInclusive)
{
    return maxInclusive / 3;
}

TEST_F(Books, CategoryFileOfTheStartingCategoriesReadsBackAndEveryChangedByteIsRefused)
{
    const std::vector<CategoryRow> rows = readCategories(reg());
    ASSERT_GE(rows.size(), 9u);
    const QByteArray file = writeCategoryFile(rows, fixedRandom);
    const QList<QByteArray> lines = file.split('\n');
    EXPECT_EQ(lines[0].size(), 48); // 47 and the CR
    const CategoryFileContent back = readCategoryFile(file);
    ASSERT_EQ(back.status, accounts::ExchangeStatus::Valid);
    EXPECT_EQ(back.rows, rows);
    for (qsizetype i = 0; i < file.size(); ++i) {
        if (file[i] == '\r' || file[i] == '\n')
            continue;
        QByteArray changed = file;
        changed[i] = char(file[i] == '7' ? '8' : '7');
        EXPECT_NE(readCategoryFile(changed).status, accounts::ExchangeStatus::Valid)
            << "byte " << i;
    }
}

TEST(CategoryFile, ThirtyCharacterNameFillsItsField)
{
    const QString name = "Computadores e Acessórios Tech";
    ASSERT_EQ(name.size(), 30);
    const QByteArray file = writeCategoryFile({{7, name}}, fixedRandom);
    EXPECT_EQ(file.left(47).mid(6, 3), "007");
    EXPECT_EQ(readCategoryFile(file).rows.at(0).nomeCat, name);
}

TEST(CategoryFile, ContentsOutsideTheRulesAreRefusedWhole)
{
    const auto status = [](const std::vector<CategoryRow> &rows) {
        return readCategoryFile(writeCategoryFile(rows, fixedRandom)).status;
    };
    using accounts::ExchangeStatus;
    EXPECT_EQ(status({{1, "Casa"}, {99, "Outros"}}), ExchangeStatus::Valid);
    EXPECT_EQ(status({{0, "Zero"}}), ExchangeStatus::Invalid);
    EXPECT_EQ(status({{100, "Cem"}}), ExchangeStatus::Invalid);
    EXPECT_EQ(status({{4, "A"}, {4, "B"}}), ExchangeStatus::Invalid);
    EXPECT_EQ(status({{4, "   "}}), ExchangeStatus::Invalid);
    QByteArray other = writeCategoryFile({{1, "Casa"}}, fixedRandom);
    other.replace(other.size() - 38 + 20, 4, "0002");
    EXPECT_EQ(readCategoryFile(other).status, ExchangeStatus::OtherVersion);
}

TEST_F(Books, ReplaceCategoriesIsWhole)
{
    replaceCategories(reg(), {{2, "Dois"}, {5, "Cinco"}});
    EXPECT_EQ(readCategories(reg()), (std::vector<CategoryRow>{{2, "Dois"}, {5, "Cinco"}}));
    const auto before = readCategories(reg());
    EXPECT_THROW(replaceCategories(reg(), {{8, "Oito"}, {8, "Outra"}}), app::StorageError);
    EXPECT_EQ(readCategories(reg()), before);
}

// ---------------------------------------------------------------- listings

TEST(Listings, AssetLinesAndTheTotalLine)
{
    const std::vector<AssetRow> rows{
        {7, "TV 42\" sala", {2026, 3, 10}, 3, "Eletrônicos", r$(1500.5), r$(1200)}};
    const QStringList lines =
        QString::fromLatin1(assetListing(rows, {"0001", "Ana", "Recife/PE"}, "Relação de Bens",
                                         {2026, 12, 31}, "Total dos Bens em ", r$(1200))
                                .bytes())
            .split("\r\n");
    EXPECT_EQ(lines[7].toStdString(), "Relação de Bens | 31/12/2026;;;;;;;");
    EXPECT_EQ(lines[9].toStdString(), "Código;Descrição do Bem;Aquisição em;Cat;Categoria;Valor "
                                      "Aquisição;Valor em 31/12;");
    EXPECT_EQ(
        lines[11].toStdString(),
        "000007;\"TV 42\"\" sala\";\"10/03/2026\";\"3\";\"Eletrônicos\";\"1500,5\";\"1200\";");
    EXPECT_EQ(lines[13].toStdString(), ";Total dos Bens em 31/12/2026;;;;;1200;");
}

// ---------------------------------------------------------------- search

struct SearchRun : Books
{
    std::vector<qint64> run(const SearchCriteria &c)
    {
        const auto built = buildSearch(c);
        const auto *s = std::get_if<SearchStatement>(&built);
        if (!s)
            return {-1};
        data::Statement st =
            dm.db().prepare(searchSql(*s, dm.TbBens->sqlName(), dm.TbBensCat->sqlName()));
        st.bindAll(s->params);
        std::vector<qint64> out;
        while (st.step())
            out.push_back(st.column(0).toLongLong());
        return out;
    }
};

TEST_F(SearchRun, TypedCharactersAreLookedForLiterally)
{
    const qint64 quote = addAsset({2026, 1, 1}, r$(1500.5), 3, "TV 42\" sala");
    const qint64 pct = addAsset({2026, 2, 1}, r$(10), 5, "Ação 100% quitada");
    const qint64 under = addAsset({2026, 3, 1}, r$(10), 4, "arquivo_velho");
    const qint64 carro = addAsset({2026, 4, 1}, r$(10), 3, "Moto", "comprada com o CARRO");
    addAsset({2026, 5, 1}, r$(10), 6, "arquivo velho 100 quitada");
    SearchCriteria c;
    c.text = "42\"";
    EXPECT_EQ(run(c), std::vector<qint64>{quote});
    c.text = "0%";
    EXPECT_EQ(run(c), std::vector<qint64>{pct});
    c.text = "o_v";
    EXPECT_EQ(run(c), std::vector<qint64>{under});
    c.text = "carro";
    EXPECT_EQ(run(c), std::vector<qint64>{carro});
    c.text = "AÇÃO";
    EXPECT_EQ(run(c), std::vector<qint64>{pct});
    c.text.clear();
    c.category = " 3  5 ";
    EXPECT_EQ(run(c), (std::vector<qint64>{quote, pct, carro}));
    c.category.clear();
    c.value = "1500,5";
    EXPECT_EQ(run(c), std::vector<qint64>{quote});
}

TEST(Search, RefusalsComeBeforeAnyStatement)
{
    SearchCriteria c;
    EXPECT_EQ(std::get<SearchRefusal>(buildSearch(c)).field, SearchField::Text);
    c.value = "12a";
    EXPECT_EQ(std::get<SearchRefusal>(buildSearch(c)).field, SearchField::Value);
    c.value.clear();
    c.category = "3 x";
    const SearchRefusal cat = std::get<SearchRefusal>(buildSearch(c));
    EXPECT_EQ(cat.field, SearchField::Category);
    EXPECT_TRUE(cat.message.startsWith("'x'"));
    // The date range is looked at first, whatever else is wrong.
    c.useDates = true;
    c.dtMin = {2026, 5, 1};
    c.dtMax = {2026, 4, 1};
    EXPECT_EQ(std::get<SearchRefusal>(buildSearch(c)).field, SearchField::DtMax);
}

} // namespace
