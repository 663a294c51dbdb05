// The backup format: header texts both ways, the writer's file read back, and every kind of
// refused file (truncated anywhere, wrong marks, sizes and names) refused without a crash.
#include <users/backupfile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <zlib.h>

#include <gtest/gtest.h>

using namespace users;

namespace {

void putInt(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

QByteArray deflate(const QByteArray &raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef *>(out.data()), &size,
              reinterpret_cast<const Bytef *>(raw.constData()), uLong(raw.size()), 9);
    out.resize(qsizetype(size));
    return out;
}

BackupHeader userHeader()
{
    BackupHeader h;
    h.kind = "0003";
    h.nome = "José da Silva";
    h.date = "10/12/2026";
    h.time = "21:05:09";
    h.fechadoAte = QDate(2026, 11, 30);
    h.cta0 = 11;
    h.cta2 = 201;
    return h;
}

struct Entry
{
    QByteArray name;
    QByteArray content;
    char mark = 0;
    qint64 sizeDelta = 0; // added to the stored size
};

// The decompressed body of a backup built by hand, so a test can spell any fault.
QByteArray body(const BackupHeader &h, const std::vector<Entry> &entries, qint64 totalDelta = 0,
                int countDelta = 0)
{
    BackupHeader hh = h;
    hh.totalSize = totalDelta;
    for (const Entry &e : entries)
        hh.totalSize += e.content.size();
    const QByteArray text = encodeHeader(hh);
    QByteArray raw;
    putInt(raw, quint32(text.size()));
    raw += text;
    putInt(raw, quint32(int(entries.size()) + countDelta));
    for (const Entry &e : entries) {
        putInt(raw, quint32(e.name.size()));
        raw += e.name;
        putInt(raw, quint32(e.content.size() + e.sizeDelta));
        raw += e.content;
        raw += e.mark;
    }
    return raw;
}

// A user backup of user 0003 may hold Tb0003A.DB and Tb0003B.DB, stored under user 0001.
std::optional<QString> rule(const QString &n)
{
    if (n == "Tb0003A.DB" || n == "Tb0003B.DB")
        return "Tb0001" + n.mid(6);
    return std::nullopt;
}
int two(const BackupHeader &)
{
    return 2;
}

const std::vector<Entry> goodEntries = {{"Tb0003A.DB", "first file"}, {"Tb0003B.DB", "second"}};

} // namespace

TEST(BackupHeaderText, GeneralAndUserHeadersHaveTheirWidthsAndFields)
{
    BackupHeader g;
    g.totalSize = 123456;
    g.userCount = 3;
    g.date = "01/02/2026";
    g.time = "03:04:05";
    EXPECT_EQ(encodeHeader(g), QByteArray("0001000000"
                                          "000000123456"
                                          "0003"
                                          "01/02/202603:04:05"));
    BackupHeader u = userHeader();
    u.totalSize = 42;
    const QByteArray t = encodeHeader(u);
    ASSERT_EQ(t.size(), 114);
    EXPECT_EQ(t.left(22), QByteArray("0001000003000000000042"));
    EXPECT_EQ(t.mid(22, 50), QByteArray("Jos\xe9 da Silva").leftJustified(50, ' '));
    EXPECT_EQ(t.mid(72), QByteArray("10/12/202621:05:093011202630121899"
                                    "11   201"));

    const BackupHeader back = decodeHeader(t);
    EXPECT_EQ(back.kind, "0003");
    EXPECT_EQ(back.nome, "José da Silva");
    EXPECT_EQ(back.totalSize, 42);
    EXPECT_EQ(back.fechadoAte, QDate(2026, 11, 30));
    // The empty date travels as day zero and comes back empty.
    EXPECT_FALSE(back.dtMin.isValid());
    EXPECT_EQ(back.cta0, 11);
    EXPECT_EQ(back.cta1, std::nullopt);
    EXPECT_EQ(back.cta2, 201);
    EXPECT_EQ(decodeHeader(encodeHeader(g)).userCount, 3);
}

TEST(BackupFile, WrittenFileReadsBackWithNamesMappedAndBytesIdentical)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a"), b = dir.filePath("b");
    QByteArray big(300000, 0);
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i * 7 % 251);
    {
        QFile fa(a), fb(b);
        ASSERT_TRUE(fa.open(QIODevice::WriteOnly) && fb.open(QIODevice::WriteOnly));
        fa.write(big);
        fb.write("");
    }
    const QString target = dir.filePath("x.KBF");
    std::vector<std::pair<qint64, qint64>> steps;
    writeBackup(target, userHeader(), {{"Tb0003A.DB", a}, {"Tb0003B.DB", b}},
                [&](qint64 d, qint64 t) {
                    steps.push_back({d, t});
                });
    EXPECT_EQ(steps.back(), std::make_pair(qint64(big.size()), qint64(big.size())));
    EXPECT_EQ(readBackupHeader(target).nome, "José da Silva");

    const QString out = dir.filePath("out");
    QDir().mkpath(out);
    const ExtractedBackup x = extractBackup(target, out, rule, two);
    EXPECT_EQ(x.names, QStringList({"Tb0001A.DB", "Tb0001B.DB"}));
    QFile fa(out + "/Tb0001A.DB");
    ASSERT_TRUE(fa.open(QIODevice::ReadOnly));
    EXPECT_EQ(fa.readAll(), big);
    EXPECT_EQ(QFileInfo(out + "/Tb0001B.DB").size(), 0);
    // Only the final file is left in the folder: the temporary name is gone.
    EXPECT_EQ(QDir(dir.path()).entryList({"x.KBF*"}, QDir::Files), QStringList{"x.KBF"});
}

TEST(BackupFile, FailedWriteKeepsTheEarlierBackupOfThatName)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("x.KBF");
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier backup");
    }
    EXPECT_THROW(writeBackup(target, userHeader(), {{"Tb0003A.DB", dir.filePath("missing")}}),
                 BackupError);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("earlier backup"));
}

struct RefusedCase
{
    const char *name;
    QByteArray raw; // decompressed body, or the file itself when compressed is false
    bool compressed = true;
    BackupError::Kind kind = BackupError::Kind::NotABackup;
};

class RefusedBackup : public ::testing::TestWithParam<RefusedCase>
{
};

TEST_P(RefusedBackup, IsRefusedWithItsMessage)
{
    const RefusedCase &c = GetParam();
    const QByteArray bytes = c.compressed ? deflate(c.raw) : c.raw;
    try {
        checkBackupBytes(bytes, rule, two);
        FAIL() << "accepted";
    } catch (const BackupError &e) {
        EXPECT_EQ(int(e.kind()), int(c.kind));
        if (c.kind == BackupError::Kind::NotABackup)
            EXPECT_TRUE(e.text().endsWith("Este não é um arquivo de Backup Quorvila!"));
        else
            EXPECT_TRUE(e.text().contains("Arquivo de Backup gerado em outra versão"));
    }
}

static std::vector<RefusedCase> refusedCases()
{
    const QByteArray good = body(userHeader(), goodEntries);
    std::vector<RefusedCase> cases = {
        {"notZlib", "just some text", false},
        {"empty", "", false},
        {"trailingBytesAfterStream", deflate(good) + "x", false},
        {"trailingDataInStream", good + "x"},
        {"wrongEndMark", body(userHeader(), {{"Tb0003A.DB", "a", 1}, {"Tb0003B.DB", "b"}})},
        {"sizeLargerThanContent",
         body(userHeader(), {{"Tb0003A.DB", "abc", 0, 2}, goodEntries[1]})},
        {"headerTotalTooSmall", body(userHeader(), goodEntries, -1)},
        {"headerTotalTooLarge", body(userHeader(), goodEntries, 5)},
        {"countTooSmall", body(userHeader(), goodEntries, 0, -1)},
        {"countTooLarge", body(userHeader(), goodEntries, 0, 1)},
        {"nameNotExpected", body(userHeader(), {{"Tb0003A.DB", "a"}, {"Tb0004B.DB", "b"}})},
        {"nameTwice", body(userHeader(), {{"Tb0003A.DB", "a"}, {"Tb0003A.DB", "b"}})},
        {"parentPath", body(userHeader(), {{"../Tb0003A.DB", "a"}, goodEntries[1]})},
        {"absolutePath", body(userHeader(), {{"/tmp/Tb0003A.DB", "a"}, goodEntries[1]})},
        {"backslash", body(userHeader(), {{"x\\Tb0003A.DB", "a"}, goodEntries[1]})},
        {"emptyName", body(userHeader(), {{"", "a"}, goodEntries[1]})},
        {"infoBase", body(userHeader(), {{"TbInfo.DB", "a"}, goodEntries[1]})},
    };
    // A name length far beyond any file name is refused before it is read.
    QByteArray longName = good.left(4 + 114 + 4);
    putInt(longName, 0x7fffffff);
    cases.push_back({"hugeNameLength", longName});
    QByteArray hugeHeader;
    putInt(hugeHeader, 0xffffffff);
    cases.push_back({"hugeHeaderLength", hugeHeader});
    QByteArray newer = good;
    newer.replace(4, 4, "0002");
    cases.push_back({"newerVersion", newer, true, BackupError::Kind::OtherVersion});
    QByteArray badDate = good;
    badDate.replace(4 + 72, 2, "99");
    cases.push_back({"badHeaderDate", badDate});
    // Truncated at every byte: inside each length, name, content and end mark.
    for (qsizetype n = 0; n < good.size(); ++n)
        cases.push_back({"", good.left(n)});
    // And a compressed file cut anywhere.
    const QByteArray z = deflate(good);
    for (qsizetype n = 1; n < z.size(); n += 3)
        cases.push_back({"", z.left(n), false});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedBackup, ::testing::ValuesIn(refusedCases()),
                         [](const auto &info) {
                             return *info.param.name ? std::string(info.param.name)
                                                     : "truncated" + std::to_string(info.index);
                         });

TEST(BackupFile, HandBuiltGoodBodyIsAccepted)
{
    // The fixture of the refused cases is itself valid, so each refusal is its own fault's.
    const ExtractedBackup x = checkBackupBytes(deflate(body(userHeader(), goodEntries)), rule, two);
    EXPECT_EQ(x.names.size(), 2);
    EXPECT_EQ(x.header.totalSize, 16);
}

TEST(BackupFile, FuzzSeedsAreAcceptedBackups)
{
    // The fuzz target starts from these; each must pass every check, so the fuzzer mutates
    // backups that reach the end of the reader.
    const auto read = [](const char *name) {
        QFile f(QString(USERS_CORPUS_DIR) + '/' + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        return f.readAll();
    };
    const auto any = [](const QString &n) -> std::optional<QString> {
        return n;
    };
    EXPECT_EQ(checkBackupBytes(read("geral1.KBF"), any, [](const BackupHeader &) { return 10; })
                  .header.userCount,
              1);
    EXPECT_EQ(checkBackupBytes(read("user0003.KBF"), any, [](const BackupHeader &) { return 8; })
                  .header.nome,
              "José da Silva");
}
