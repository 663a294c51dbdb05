// The entry search's criteria over a small book: each criterion alone and combined, texts that
// would be SQL if pasted (quotes, %, _, a column name) found literally, amounts as exact
// centavos, the refusals; the upcoming window at the edges of ProxDias; the CSV lines.
#include <entries/search.h>
#include <entries/upcoming.h>

#include <app/dates.h>
#include <data/UDM.h>
#include <data/newuserdata.h>

#include <QTemporaryDir>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

using namespace entries;
using app::Money;

namespace {

struct Row
{
    QDate data;
    int deb, cred;
    qint64 centavos;
    QString hsto, numDoc, obs;
    bool ok;
};

// Referred to by their row number, 1 up.
const Row kBook[] = {
    {{2026, 3, 1}, 11, 101, 500000, "Salário de março", "", "", true},           // 1
    {{2026, 3, 5}, 201, 11, 120050, "Aluguel do apartamento", "123", "", false}, // 2
    {{2026, 3, 9}, 202, 12, 4590, "Padaria", "", "pago com 50% de desconto", true},
    {{2026, 3, 9}, 12, 11, 100000, "Transferência \"poupança\"", "A_1", "", false}, // 4
    {{2026, 4, 2}, 201, 11, 120050, "ALUGUEL abril", "124", "Hsto OR 1=1", true},   // 5
    {{2026, 4, 3}, 203, 11, 120005, "Farmácia ação", "", "", false},                // 6
};

class EntrySearch : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        {
            data::Database db;
            db.setDirDados(s_dir->path());
            data::installFirstRun(db, QDate(2026, 3, 1));
        }
        s_dm = new data::TDM;
        s_dm->DataModuleCreate(s_dir->path());
        s_dm->openSharedTables();
        s_dm->pointUserTables("0001");
        s_dm->OpenUserFiles();
        data::Table &fin = *s_dm->TbFin;
        while (!fin.isEmpty()) {
            fin.first();
            fin.remove();
        }
        for (const Row &r : kBook) {
            fin.append();
            fin.setValue("Data", r.data);
            fin.setValue("CtaDeb", r.deb);
            fin.setValue("CtaCred", r.cred);
            fin.setValue("Valor", r.centavos);
            fin.setValue("Hsto", r.hsto);
            fin.setValue("NumDoc", r.numDoc);
            fin.setValue("Obs", r.obs);
            fin.setValue("Confirmado", r.ok);
            fin.post();
            s_codes.push_back(fin.asInt("Codigo"));
        }
    }
    static void TearDownTestSuite()
    {
        delete s_dm;
        delete s_dir;
    }

    static std::vector<qint64> codesFound(const SearchCriteria &c)
    {
        const auto q = buildSearch(c);
        if (const auto *p = std::get_if<SearchProblem>(&q)) {
            ADD_FAILURE() << "refused: " << p->message.toStdString();
            return {};
        }
        std::vector<qint64> codes;
        for (const FoundEntry &e :
             runSearch(s_dm->db(), s_dm->TbFin->sqlName(), std::get<SearchQuery>(q)))
            codes.push_back(rowOf(e.Codigo));
        return codes;
    }
    // The row number (1 up, in kBook's order) of an entry code.
    static qint64 rowOf(qint64 codigo)
    {
        const auto it = std::find(s_codes.begin(), s_codes.end(), codigo);
        return it == s_codes.end() ? -1 : qint64(it - s_codes.begin()) + 1;
    }

    static QTemporaryDir *s_dir;
    static data::TDM *s_dm;
    static std::vector<qint64> s_codes;
};
std::vector<qint64> EntrySearch::s_codes;
QTemporaryDir *EntrySearch::s_dir = nullptr;
data::TDM *EntrySearch::s_dm = nullptr;

struct FindCase
{
    const char *name;
    SearchCriteria criteria;
    std::vector<qint64> expected;
};

SearchCriteria crit(std::function<void(SearchCriteria &)> f)
{
    SearchCriteria c;
    f(c);
    return c;
}

class Finds : public EntrySearch, public ::testing::WithParamInterface<FindCase>
{
};

TEST_P(Finds, TheEntriesTheCriteriaDescribe)
{
    EXPECT_EQ(codesFound(GetParam().criteria), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, Finds,
    ::testing::Values(
        FindCase{"textInAnyCaseInHstoOrObs", crit([](auto &c) { c.text = "aluguel"; }), {2, 5}},
        FindCase{"textWithAccentsFoldsUnicode", crit([](auto &c) { c.text = "AÇÃO"; }), {6}},
        FindCase{"textInObs", crit([](auto &c) { c.text = "desconto"; }), {3}},
        FindCase{"percentIsLiteral", crit([](auto &c) { c.text = "50%"; }), {3}},
        FindCase{"lonePercentMatchesOnlyAPercent", crit([](auto &c) { c.text = "%"; }), {3}},
        FindCase{"underscoreIsLiteral", crit([](auto &c) { c.numDoc = "A_1"; }), {4}},
        FindCase{"underscoreInTextFindsNothingElse", crit([](auto &c) { c.text = "_"; }), {}},
        FindCase{"doubleQuoteIsLiteral", crit([](auto &c) { c.text = "\"poupança\""; }), {4}},
        FindCase{"columnNameIsText", crit([](auto &c) { c.text = "Hsto OR 1=1"; }), {5}},
        FindCase{"quoteAndSqlDoNotEscape", crit([](auto &c) { c.text = "') OR 1=1 --"; }), {}},
        FindCase{"exactAmountWithComma", crit([](auto &c) { c.valor = "1200,50"; }), {2, 5}},
        FindCase{"amountWithPointAsComma", crit([](auto &c) { c.valor = "1200.5"; }), {2, 5}},
        FindCase{"amountIsExactCentavos", crit([](auto &c) { c.valor = "1200,05"; }), {6}},
        FindCase{"wholeAmount", crit([](auto &c) { c.valor = "1000"; }), {4}},
        FindCase{"documentIsExact", crit([](auto &c) { c.numDoc = "12"; }), {}},
        FindCase{"document", crit([](auto &c) { c.numDoc = "124"; }), {5}},
        FindCase{"confirmed", crit([](auto &c) { c.confirmado = Confirm::Yes; }), {1, 3, 5}},
        FindCase{"notConfirmed", crit([](auto &c) { c.confirmado = Confirm::No; }), {2, 4, 6}},
        FindCase{"accountOnEitherSide", crit([](auto &c) { c.cta = " 12 "; }), {3, 4}},
        FindCase{"severalAccountsBlanksRun", crit([](auto &c) { c.cta = "101   203"; }), {1, 6}},
        FindCase{"destination", crit([](auto &c) { c.ctaDeb = "12 201"; }), {2, 4, 5}},
        FindCase{"origin", crit([](auto &c) { c.ctaCred = "12"; }), {3}},
        FindCase{"periodInclusive",
                 crit(
                     [](auto &c) {
                         c.period = true;
                         c.dtMin = {2026, 3, 5};
                         c.dtMax = {2026, 3, 9};
                     }),
                 {2, 3, 4}},
        FindCase{"periodUntickedIsIgnored",
                 crit(
                     [](auto &c) {
                         c.dtMin = {2030, 1, 1};
                         c.dtMax = {2030, 1, 2};
                         c.text = "padaria";
                     }),
                 {3}},
        FindCase{"criteriaCombineWithAnd",
                 crit(
                     [](auto &c) {
                         c.text = "aluguel";
                         c.confirmado = Confirm::Yes;
                         c.ctaCred = "11";
                     }),
                 {5}},
        FindCase{"orderByAmountThenDate",
                 crit(
                     [](auto &c) {
                         c.ctaCred = "11";
                         c.order = EntryOrder::Valor;
                     }),
                 {4, 6, 2, 5}},
        FindCase{"orderByDestination",
                 crit(
                     [](auto &c) {
                         c.ctaCred = "11";
                         c.order = EntryOrder::CtaDeb;
                     }),
                 {4, 2, 5, 6}},
        FindCase{"orderByCode",
                 crit(
                     [](auto &c) {
                         c.ctaCred = "11 12";
                         c.order = EntryOrder::Codigo;
                     }),
                 {2, 3, 4, 5, 6}}),
    [](const auto &info) { return std::string(info.param.name); });

struct RefusalCase
{
    const char *name;
    SearchCriteria criteria;
    QString message;
    SearchField field;
};
class Refuses : public ::testing::TestWithParam<RefusalCase>
{
};

TEST_P(Refuses, WithItsMessageAndField)
{
    const auto q = buildSearch(GetParam().criteria);
    ASSERT_TRUE(std::holds_alternative<SearchProblem>(q));
    EXPECT_EQ(std::get<SearchProblem>(q).message, GetParam().message);
    EXPECT_EQ(int(std::get<SearchProblem>(q).field), int(GetParam().field));
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, Refuses,
    ::testing::Values(
        RefusalCase{"nothingFilled", {}, noCriterionText(), SearchField::Texto},
        RefusalCase{"onlyBlanksInAccounts", crit([](auto &c) { c.cta = "   "; }), noCriterionText(),
                    SearchField::Texto},
        RefusalCase{"invertedPeriod", crit([](auto &c) {
                        c.period = true;
                        c.dtMin = {2026, 3, 2};
                        c.dtMax = {2026, 3, 1};
                    }),
                    invertedPeriodText(), SearchField::DtMax},
        RefusalCase{"loneComma", crit([](auto &c) { c.valor = ","; }),
                    "',' não é um valor de ponto flutuante válido. Verifique!", SearchField::Valor},
        RefusalCase{"lonePoint", crit([](auto &c) { c.valor = "."; }),
                    "'.' não é um valor de ponto flutuante válido. Verifique!", SearchField::Valor},
        RefusalCase{"pastedLetterInAccount", crit([](auto &c) { c.ctaDeb = "201 x"; }),
                    "'x' não é um valor inteiro válido. Verifique!", SearchField::CtaDeb}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(UpcomingWindow, AtTheEdgesOfProxDias)
{
    const QDate today(2024, 6, 10);
    struct Case
    {
        int proxDias;
        bool hoje;
        QDate min, max;
    };
    const Case cases[] = {{5, false, {2024, 6, 11}, {2024, 6, 15}},
                          {5, true, {2024, 6, 10}, {2024, 6, 15}},
                          {0, false, {2024, 6, 11}, {2024, 6, 10}},
                          {0, true, {2024, 6, 10}, {2024, 6, 10}},
                          {-3, true, {2024, 6, 10}, {2024, 6, 7}}};
    for (const Case &c : cases) {
        const DateWindow w = upcomingWindow(today, c.proxDias, c.hoje);
        EXPECT_EQ(w.dtMin, c.min) << c.proxDias << c.hoje;
        EXPECT_EQ(w.dtMax, c.max) << c.proxDias << c.hoje;
    }
    // Tomorrow to today is refused by the search, as any inverted period.
    const DateWindow zero = upcomingWindow(today, 0, false);
    EXPECT_TRUE(std::holds_alternative<SearchProblem>(
        buildPeriodSearch(zero.dtMin, zero.dtMax, EntryOrder::Data)));
}

TEST_F(EntrySearch, UpcomingListsTheLastDayOfTheWindowAndNotTheDayBefore)
{
    const DateWindow w = upcomingWindow({2026, 3, 4}, 5, false); // 05/03 to 09/03
    const auto q = std::get<SearchQuery>(buildPeriodSearch(w.dtMin, w.dtMax, EntryOrder::Data));
    std::vector<qint64> codes;
    for (const FoundEntry &e : runSearch(s_dm->db(), s_dm->TbFin->sqlName(), q))
        codes.push_back(rowOf(e.Codigo));
    EXPECT_EQ(codes, (std::vector<qint64>{2, 3, 4}));
    const DateWindow none = upcomingWindow({2026, 3, 5}, 3, false); // 06/03 to 08/03
    EXPECT_TRUE(runSearch(s_dm->db(), s_dm->TbFin->sqlName(),
                          std::get<SearchQuery>(
                              buildPeriodSearch(none.dtMin, none.dtMax, EntryOrder::Data)))
                    .empty());
}

TEST(FoundEntriesCsv, TitleAndRowLines)
{
    FoundEntry e;
    e.Codigo = 45;
    e.Data = {2026, 3, 9};
    e.CtaDeb = 12;
    e.CtaCred = 11;
    e.Valor = Money::fromCentavos(123450);
    e.Hsto = "Transferência \"poupança\"";
    e.NumDoc = "A_1";
    e.Confirmado = true;
    FoundEntry f = e;
    f.Confirmado = false;
    f.NumDoc.clear();
    const FoundEntry rows[] = {e, f};
    const app::CsvWriter w =
        foundEntriesCsv({"0001", "Ana", "Recife/PE"},
                        csvTitleLine("Relação \"A\"", true, {2026, 3, 1}, {2026, 3, 31}),
                        "Código;Data;Cta Dest;Cta Orig;Valor;Histórico;NumDoc;OK;", rows);
    const QStringList lines = QString::fromLatin1(w.bytes()).split("\r\n");
    ASSERT_GE(lines.size(), 13);
    EXPECT_EQ(lines[7].toStdString(), "\"Relação \"\"A\"\"\" | 01/03/2026 a 31/03/2026;;;;;;;;");
    EXPECT_EQ(lines[9].toStdString(), "Código;Data;Cta Dest;Cta Orig;Valor;Histórico;NumDoc;OK;");
    EXPECT_EQ(lines[11].toStdString(), "\"45\";\"09/03/2026\";\"12\";\"11\";\"1234,5\";"
                                       "\"Transferência \"\"poupança\"\"\";\"A_1\";\"Ok\";");
    EXPECT_EQ(lines[12].toStdString(), "\"45\";\"09/03/2026\";\"12\";\"11\";\"1234,5\";"
                                       "\"Transferência \"\"poupança\"\"\";\"\";\"\";");
    EXPECT_EQ(csvTitleLine("T", false, {}, {}), "\"T\"");
}

} // namespace
