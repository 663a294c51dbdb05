// The chart and history exchange files: their line layout on the starting data, reading back
// what was written, the trailer's random half (injected), every single changed byte refused,
// the other-version message kept for real trailers, and imports that replace all or nothing.
#include "fixture.h"

#include <accounts/chartfile.h>
#include <accounts/chartstore.h>
#include <accounts/historyfile.h>
#include <accounts/historystore.h>
#include <accounts/tablereplace.h>

#include <app/error.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using namespace accounts;
using accounts::testing::Books;

namespace {

// Always the highest number allowed, remembering what it was asked for.
// Always picks the top of the range and records the range asked for. The record is shared with
// the functions it hands out, which may outlive the helper (a temporary in a loop's list).
struct RecordingRandom
{
    std::shared_ptr<qint64> asked = std::make_shared<qint64>(-1);
    TrailerRandom fn() const
    {
        return [asked = asked](qint64 max) {
            *asked = max;
            return max;
        };
    }
};

TrailerRandom zero()
{
    return [](qint64) {
        return qint64(0);
    };
}

QList<QByteArray> linesOf(const QByteArray &file)
{
    QList<QByteArray> lines = file.split('\n');
    EXPECT_TRUE(lines.back().isEmpty()); // the last line ends with CR LF too
    lines.removeLast();
    for (QByteArray &l : lines) {
        EXPECT_TRUE(l.endsWith('\r'));
        l.chop(1);
    }
    return lines;
}

class ExchangeFiles : public ::testing::Test
{
protected:
    Books books;
    ChartStore chart{books.dm};
    HistoryStore histories{books.dm};
};

TEST_F(ExchangeFiles, StartingChartHasTheLineLayout)
{
    RecordingRandom random;
    const QList<QByteArray> lines = linesOf(writeChartFile(chart.rows(), random.fn()));
    ASSERT_EQ(lines.size(), 72);
    for (int i = 0; i < 71; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(lines[i].size(), 100);
        EXPECT_EQ(lines[i].left(6), QByteArray::number(i + 1).rightJustified(6, '0'));
        EXPECT_EQ(lines[i].mid(90).toLongLong(), lineCheck(lines[i], 90));
    }
    EXPECT_EQ(lines[0].left(20), QByteArray("0000010         0000"));
    // Windows-1252: "Cartão" is one byte per letter, and the name is blank-filled to 50.
    EXPECT_EQ(lines[3].mid(6, 64),
              QByteArray("0.01.02   0012Cart\xE3o Alimenta\xE7\xE3o") + QByteArray(32, ' '));
    const QByteArray &trailer = lines[71];
    ASSERT_EQ(trailer.size(), 36);
    qint64 s = 0;
    for (int n = 1; n <= 71; ++n)
        s += (11 + (n - 1) % 20) * n;
    EXPECT_EQ(*random.asked, s - 2);
    EXPECT_EQ(trailer.left(10), QByteArray::number(s - 2).rightJustified(10, '0'));
    EXPECT_EQ(trailer.mid(10, 10), QByteArray("0000000002"));
    EXPECT_EQ(trailer.mid(20, 6), QByteArray("000100"));
    EXPECT_EQ(trailer.mid(26).toLongLong(), lineCheck(trailer, 26));
}

TEST_F(ExchangeFiles, ChartReadsBackIdenticalWithoutHistoryNames)
{
    std::vector<CtaRow> rows = chart.rows();
    rows[5].descParaHsto = "CARTAO"; // written, never read back
    const ChartFileContent back = readChartFile(writeChartFile(rows, freshTrailerRandom()));
    ASSERT_EQ(back.status, ExchangeStatus::Valid);
    rows[5].descParaHsto.clear();
    EXPECT_EQ(back.rows, rows);
}

TEST_F(ExchangeFiles, HistoriesReadBackIdenticalWithTheirType)
{
    std::vector<HstoRow> rows = histories.rows();
    ASSERT_EQ(rows.size(), 23u);
    rows[2].tipo = "D";
    const HistoryFileContent back = readHistoryFile(writeHistoryFile(rows, freshTrailerRandom()));
    ASSERT_EQ(back.status, ExchangeStatus::Valid);
    EXPECT_EQ(back.rows, rows);
}

TEST_F(ExchangeFiles, ImportingAnExportGivesTheSameTables)
{
    const std::vector<CtaRow> rowsBefore = chart.rows();
    const std::vector<HstoRow> hstoBefore = histories.rows();
    const QByteArray kpf = writeChartFile(rowsBefore, freshTrailerRandom());
    const QByteArray khp = writeHistoryFile(hstoBefore, freshTrailerRandom());
    books.dm.db().exec("DELETE FROM " + books.dm.TbCta->sqlName() + " WHERE CodCta LIKE '2%'");
    books.dm.db().exec("DELETE FROM " + books.dm.TbHsto->sqlName() + " WHERE Codigo > 200");

    chart.replace(readChartFile(kpf).rows);
    histories.replace(readHistoryFile(khp).rows);

    EXPECT_EQ(chart.rows(), rowsBefore);
    EXPECT_EQ(histories.rows(), hstoBefore);
    EXPECT_EQ(books.dm.TbCta->recordCount(), 71);
    EXPECT_EQ(books.dm.TbCta->asString("CodCta"), QString("0"));
    EXPECT_EQ(books.dm.TbHsto->recordCount(), 23);
}

TEST(HistoryFile, SingleHistoryExportsAndReadsBack)
{
    // Regression: with one history S is 1, and the trailer asked for a number between 0 and -1.
    RecordingRandom random;
    const std::vector<HstoRow> rows{{11, "SAQUE <CTAORIG>", {}}};
    const QByteArray file = writeHistoryFile(rows, random.fn());
    EXPECT_EQ(*random.asked, 0);
    const QList<QByteArray> lines = linesOf(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].left(20), QByteArray("00000000000000000001"));
    const HistoryFileContent back = readHistoryFile(file);
    ASSERT_EQ(back.status, ExchangeStatus::Valid);
    EXPECT_EQ(back.rows, rows);
}

TEST(HistoryFile, AnyTrailerSplitReadsBack)
{
    const std::vector<HstoRow> rows{{11, "A", {}}, {12, "B", "X"}, {13, "C", {}}};
    for (const TrailerRandom &r : {zero(), RecordingRandom().fn(), freshTrailerRandom()})
        EXPECT_EQ(readHistoryFile(writeHistoryFile(rows, r)).status, ExchangeStatus::Valid);
}

TEST_F(ExchangeFiles, EveryChangedByteIsRefused)
{
    const QByteArray file = writeChartFile(chart.rows(), freshTrailerRandom());
    const qsizetype trailerStart = file.lastIndexOf('\n', file.size() - 2) + 1;
    for (qsizetype i = 0; i < file.size(); ++i) {
        QByteArray changed = file;
        changed[i] = file[i] == '7' ? '8' : '7';
        const qsizetype inTrailer = i - trailerStart;
        // Positions 21-24 of the trailer hold the version: a trailer of another version.
        const ExchangeStatus expected = inTrailer >= 20 && inTrailer < 24
                                            ? ExchangeStatus::OtherVersion
                                            : ExchangeStatus::Invalid;
        const ExchangeStatus got = readChartFile(changed).status;
        if (got != expected)
            ADD_FAILURE() << "byte " << i << " changed: status " << int(got);
    }
}

struct DamageCase
{
    const char *name;
    std::function<QByteArray(const QByteArray &kpf, const QByteArray &khp)> file;
    ExchangeStatus expected;
};

// A trailer of `version` over `file`'s records with a correct line check.
QByteArray withVersion(const QByteArray &file, const QByteArray &version)
{
    const qsizetype start = file.lastIndexOf('\n', file.size() - 2) + 1;
    QByteArray body = file.mid(start, 20) + version + "00";
    body += QByteArray::number(lineCheck(body, 26)).rightJustified(10, '0');
    return file.left(start) + body + "\r\n";
}

class DamagedChartFile : public ::testing::TestWithParam<DamageCase>
{
protected:
    static void SetUpTestSuite()
    {
        Books books;
        s_kpf = writeChartFile(ChartStore(books.dm).rows(), freshTrailerRandom());
        s_khp = writeHistoryFile(HistoryStore(books.dm).rows(), freshTrailerRandom());
    }
    static QByteArray s_kpf, s_khp;
};
QByteArray DamagedChartFile::s_kpf, DamagedChartFile::s_khp;

TEST_P(DamagedChartFile, GetsItsStatusAndNoRows)
{
    const ChartFileContent c = readChartFile(GetParam().file(s_kpf, s_khp));
    EXPECT_EQ(int(c.status), int(GetParam().expected));
    if (c.status != ExchangeStatus::Valid) {
        EXPECT_TRUE(c.rows.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedChartFile,
    ::testing::Values(
        DamageCase{"asWritten", [](auto &k, auto &) { return k; }, ExchangeStatus::Valid},
        DamageCase{"lineFeedsOnly",
                   [](auto &k, auto &) { return QByteArray(k).replace("\r\n", "\n"); },
                   ExchangeStatus::Valid},
        DamageCase{"empty", [](auto &, auto &) { return QByteArray(); }, ExchangeStatus::Invalid},
        DamageCase{"trailerOnly",
                   [](auto &k, auto &) { return k.mid(k.lastIndexOf('\n', k.size() - 2) + 1); },
                   ExchangeStatus::Invalid},
        DamageCase{"trailerLost",
                   [](auto &k, auto &) { return k.left(k.lastIndexOf('\n', k.size() - 2) + 1); },
                   ExchangeStatus::Invalid},
        DamageCase{"cutInsideARecord", [](auto &k, auto &) { return k.left(3050); },
                   ExchangeStatus::Invalid},
        DamageCase{"aRecordLost", [](auto &k, auto &) { return k.left(102) + k.mid(204); },
                   ExchangeStatus::Invalid},
        DamageCase{"historyFile", [](auto &, auto &h) { return h; }, ExchangeStatus::Invalid},
        DamageCase{"versionTwo", [](auto &k, auto &) { return withVersion(k, "0002"); },
                   ExchangeStatus::OtherVersion},
        DamageCase{"versionZero", [](auto &k, auto &) { return withVersion(k, "0000"); },
                   ExchangeStatus::OtherVersion},
        // Regression: one more line end after the trailer made a good file "invalid".
        DamageCase{"trailingBlankLines", [](auto &k, auto &) { return k + "\r\n\r\n"; },
                   ExchangeStatus::Valid},
        DamageCase{"trailingLineFeeds", [](auto &k, auto &) { return k + "\n\n\n"; },
                   ExchangeStatus::Valid},
        DamageCase{"blankLineBeforeTrailer",
                   [](auto &k, auto &) {
                       const qsizetype start = k.lastIndexOf('\n', k.size() - 2) + 1;
                       return k.left(start) + "\r\n" + k.mid(start);
                   },
                   ExchangeStatus::Invalid},
        DamageCase{"onlyLineEnds", [](auto &, auto &) { return QByteArray("\r\n\r\n\n"); },
                   ExchangeStatus::Invalid},
        DamageCase{"largerThanAnyExchangeFile",
                   [](auto &k, auto &) {
                       return k + QByteArray(kMaxExchangeFileBytes - k.size() + 1, '\n');
                   },
                   ExchangeStatus::Invalid},
        DamageCase{
            "trailingLineFeedsUpToTheBound",
            [](auto &k, auto &) { return k + QByteArray(kMaxExchangeFileBytes - k.size(), '\n'); },
            ExchangeStatus::Valid}),
    [](const auto &info) { return std::string(info.param.name); });

struct ContentCase
{
    const char *name;
    std::function<void(std::vector<CtaRow> &)> change;
};

class ChartFileContentCheck : public ::testing::TestWithParam<ContentCase>
{
};

// Files whose checks all hold but whose accounts the editor would never have stored: before,
// the import stopped at a repeated key with the chart left half empty, or stored the rest.
TEST_P(ChartFileContentCheck, RefusesAChartTheEditorCouldNotBuild)
{
    Books books;
    std::vector<CtaRow> rows = ChartStore(books.dm).rows();
    GetParam().change(rows);
    EXPECT_EQ(int(readChartFile(writeChartFile(rows, zero())).status),
              int(ExchangeStatus::Invalid));
}

CtaRow row(const char *code, std::optional<qint64> red)
{
    return {code, red, "X", {}};
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartFileContentCheck,
                         ::testing::Values(ContentCase{"repeatedCode",
                                                       [](auto &r) {
                                                           r.push_back(row("2.04.01", 239));
                                                       }},
                                           ContentCase{"repeatedReducedCode",
                                                       [](auto &r) {
                                                           r.push_back(row("2.04.07", 241));
                                                       }},
                                           ContentCase{"analyticalWithoutReducedCode",
                                                       [](auto &r) {
                                                           r.push_back(
                                                               row("2.04.07", std::nullopt));
                                                       }},
                                           ContentCase{"titleWithReducedCode",
                                                       [](auto &r) {
                                                           r.push_back(row("2.13", 239));
                                                       }},
                                           ContentCase{"reducedCodeOfAnotherGroup",
                                                       [](auto &r) {
                                                           r.push_back(row("2.04.07", 50));
                                                       }},
                                           ContentCase{"missingParent",
                                                       [](auto &r) {
                                                           r.push_back(row("2.10.01", 239));
                                                       }},
                                           ContentCase{"malformedCode",
                                                       [](auto &r) {
                                                           r.push_back(row("2.4.007", 239));
                                                       }},
                                           ContentCase{"unknownGroup",
                                                       [](auto &r) {
                                                           r.push_back(row("3", std::nullopt));
                                                       }},
                                           // Regression: a chart of the root "0" alone was
                                           // imported, and group 1 could never get an account.
                                           ContentCase{"onlyRootZero",
                                                       [](auto &r) {
                                                           r = {row("0", std::nullopt)};
                                                       }},
                                           ContentCase{"groupWithoutItsRoot",
                                                       [](auto &r) {
                                                           std::erase_if(r, [](const CtaRow &c) {
                                                               return c.codCta.startsWith('2');
                                                           });
                                                       }},
                                           ContentCase{"accountWithoutName",
                                                       [](auto &r) {
                                                           r.push_back(row("2.04.07", 250));
                                                           r.back().descricao.clear();
                                                       }}),
                         [](const auto &info) { return std::string(info.param.name); });

// One extra record, built byte by byte, after the starting chart's or histories' records; the
// scheme's checks of the whole file hold, so only the record's content decides.
struct RecordCase
{
    const char *name;
    bool chart;
    QByteArray record; // the record's 84 bytes of fields
    ExchangeStatus expected;
};

QByteArray chartRecord(const QByteArray &name, const QByteArray &code = "2.04.07",
                       const QByteArray &historyName = {})
{
    return code.leftJustified(10, ' ') + "0250" + name.leftJustified(50, ' ') +
           historyName.leftJustified(20, ' ');
}

QByteArray historyRecord(const QByteArray &text, char tipo = ' ')
{
    return "999" + text.leftJustified(80, ' ') + QByteArray(1, tipo);
}

class ExtraRecord : public ::testing::TestWithParam<RecordCase>
{
};

// Regression: NUL, ESC, BEL and CR in names, and any byte as a history type, were stored; a
// name with a NUL came back cut short.
TEST_P(ExtraRecord, IsRefusedWhenItHoldsAControlCharacter)
{
    const RecordCase &c = GetParam();
    Books books;
    const WeightCycle cycle = c.chart ? kChartCycle : kHistoryCycle;
    const QByteArray own = c.chart ? writeChartFile(ChartStore(books.dm).rows(), zero())
                                   : writeHistoryFile(HistoryStore(books.dm).rows(), zero());
    std::vector<QByteArray> fields = readExchangeFile(own, cycle).fields;
    ASSERT_EQ(c.record.size(), kFieldBytes);
    fields.push_back(c.record);
    const QByteArray file = writeExchangeFile(fields, cycle, zero());
    const ExchangeStatus got = c.chart ? readChartFile(file).status : readHistoryFile(file).status;
    EXPECT_EQ(int(got), int(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtraRecord,
    ::testing::Values(
        RecordCase{"chartPlainName", true, chartRecord("Condom\xEDnio"), ExchangeStatus::Valid},
        RecordCase{"chartNulInName", true, chartRecord(QByteArray("Luz\0G\xE1s", 7)),
                   ExchangeStatus::Invalid},
        RecordCase{"chartEscInName", true, chartRecord("Luz\x1B[2J"), ExchangeStatus::Invalid},
        RecordCase{"chartBelInName", true, chartRecord("Luz\a"), ExchangeStatus::Invalid},
        RecordCase{"chartCrInName", true, chartRecord("Luz\rG\xE1s"), ExchangeStatus::Invalid},
        RecordCase{"chartDelInName", true, chartRecord("Luz\x7F"), ExchangeStatus::Invalid},
        RecordCase{"chartUndefinedByteInName", true, chartRecord("Luz\x81"),
                   ExchangeStatus::Invalid},
        RecordCase{"chartNulInCodePadding", true, chartRecord("Luz", QByteArray("2.04.07\0", 8)),
                   ExchangeStatus::Invalid},
        RecordCase{"chartTabInHistoryName", true, chartRecord("Luz", "2.04.07", "LUZ\t"),
                   ExchangeStatus::Invalid},
        RecordCase{"historyPlainWithType", false, historyRecord("Aluguel <M>", 'D'),
                   ExchangeStatus::Valid},
        RecordCase{"historyNulInText", false, historyRecord(QByteArray("Aluguel\0<M>", 11)),
                   ExchangeStatus::Invalid},
        RecordCase{"historyCrLfInText", false, historyRecord("Aluguel\r\n<M>"),
                   ExchangeStatus::Invalid},
        RecordCase{"historyEmptyText", false, historyRecord(""), ExchangeStatus::Invalid},
        RecordCase{"historyNulAsType", false, historyRecord("Aluguel", '\0'),
                   ExchangeStatus::Invalid},
        RecordCase{"historyEscAsType", false, historyRecord("Aluguel", '\x1B'),
                   ExchangeStatus::Invalid},
        RecordCase{"historyDelAsType", false, historyRecord("Aluguel", '\x7F'),
                   ExchangeStatus::Invalid},
        RecordCase{"historyUndefinedByteAsType", false, historyRecord("Aluguel", '\x9D'),
                   ExchangeStatus::Invalid}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ExchangeFileText, ControlCharactersAreWrittenAsBlanksAndReadBack)
{
    // U+0081 has a byte of its own in Windows-1252 (0x81), which reads back as the control it
    // is; a file the program writes must still import.
    const std::vector<HstoRow> rows{{11, QString::fromUtf8("Luz\x01\xC2\x81\x7F\tG\xC3\xA1s"), {}},
                                    {12, QStringLiteral("Pix \U0001F600 enviado"), "\x07"}};
    const HistoryFileContent back = readHistoryFile(writeHistoryFile(rows, zero()));
    ASSERT_EQ(back.status, ExchangeStatus::Valid);
    const std::vector<HstoRow> expected{{11, QString::fromUtf8("Luz    G\xC3\xA1s"), {}},
                                        {12, QStringLiteral("Pix   enviado"), {}}};
    EXPECT_EQ(back.rows, expected);
}

class LoadExchangeFile : public ::testing::Test
{
protected:
    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath("arquivo.KHP");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(LoadExchangeFile, GivesTheBytesOfAFileWithinTheBound)
{
    const QByteArray bytes =
        writeHistoryFile({{11, "A", {}}}, zero()) + QByteArray(kMaxExchangeFileBytes - 140, '\n');
    const LoadedFile got = loadExchangeFile(write(bytes));
    EXPECT_EQ(int(got.status), int(LoadStatus::Loaded));
    EXPECT_EQ(got.bytes, bytes);
    EXPECT_EQ(int(readHistoryFile(got.bytes).status), int(ExchangeStatus::Valid));
}

// Regression: 200 MB of line feeds were read whole (30 s and gigabytes of memory) before being
// found invalid.
TEST_F(LoadExchangeFile, RefusesALargerFileUnread)
{
    const LoadedFile got = loadExchangeFile(write(QByteArray(kMaxExchangeFileBytes + 1, '\n')));
    EXPECT_EQ(int(got.status), int(LoadStatus::TooLarge));
    EXPECT_TRUE(got.bytes.isEmpty());
}

// A device reports no size and never ends, like a file that grows while it is read.
TEST_F(LoadExchangeFile, StopsReadingPastTheBoundWhenTheSizeSaysNothing)
{
    if (!QFile::exists("/dev/zero"))
        GTEST_SKIP() << "no /dev/zero here";
    EXPECT_EQ(int(loadExchangeFile("/dev/zero").status), int(LoadStatus::TooLarge));
}

TEST_F(LoadExchangeFile, SaysWhenTheFileCannotBeRead)
{
    EXPECT_EQ(int(loadExchangeFile(dir.filePath("nenhum.KHP")).status),
              int(LoadStatus::Unreadable));
}

TEST_F(ExchangeFiles, AFailedReplaceLeavesTheTableAsItWas)
{
    // Two rows with one key: the storage refuses the second after the table was emptied.
    std::vector<QVariantList> rows{{"0", QVariant(), "Saldo", QVariant()},
                                   {"0", QVariant(), "Saldo", QVariant()}};
    EXPECT_THROW(replaceRows(books.dm.db(), *books.dm.TbCta, rows), app::StorageError);
    EXPECT_EQ(chart.rows().size(), 71u);
    EXPECT_EQ(books.dm.TbCta->recordCount(), 71);
    EXPECT_EQ(books.dm.TbCta->state(), data::Table::State::Browse);
}

} // namespace
