// The information base's build: what it refuses (each refusal on a tiny tree that differs from
// a good one in one place), what a good tree becomes (rows and verse pictures), and the tool's
// exit status.
#include "pagetree.h"

#include <help/infobasebuild.h>
#include <help/infocodes.h>

#include <data/catalogue.h>
#include <data/database.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using testsupport::PageSpec;

namespace {

// A good tree: the panels' pages, two help pages (2001 names 2002 as related) and an article.
QList<PageSpec> goodTree()
{
    QList<PageSpec> pages = testsupport::panelPages();
    PageSpec intro = testsupport::pageSpec(1000, 3, "Introdução", "<p>Artigo.</p>");
    intro.ref = "Intro";
    intro.subdir = "biblia";
    pages << testsupport::pageSpec(2001, 4, "Propósito", "<p>Para que serve.</p>", "2002  2002 ")
          << testsupport::pageSpec(2002, 4, "Controle de Bens", "<p>Os bens.</p>") << intro;
    return pages;
}

const QList<int> kRequired = {1000, 2001, 2002};

struct Refusal
{
    const char *name;
    std::function<void(QList<PageSpec> &)> change;
    const char *file;   // the file the message names ("" for the tree itself)
    const char *reason; // a part of the message
};

class BuildRefuses : public ::testing::TestWithParam<Refusal>
{
};

TEST_P(BuildRefuses, NamesTheFileAndTheReason)
{
    QTemporaryDir dir;
    const QString content = dir.path() + "/content";
    QList<PageSpec> pages = goodTree();
    GetParam().change(pages);
    for (const PageSpec &p : pages)
        testsupport::writePage(content, p);
    const QString output = dir.path() + "/TbInfo.DB";
    try {
        help::buildInfoBase(output, help::pageFiles(content), kRequired, content);
        FAIL() << "built";
    } catch (const help::BuildError &e) {
        const QString file = QString(GetParam().file);
        EXPECT_TRUE(file.isEmpty() ? e.file() == content : e.file().endsWith(file))
            << qPrintable(e.file());
        EXPECT_TRUE(e.reason().contains(GetParam().reason)) << e.what();
    }
    EXPECT_FALSE(QFile::exists(output));
}

PageSpec &page(QList<PageSpec> &pages, int code)
{
    for (PageSpec &p : pages)
        if (p.codigo == code)
            return p;
    throw std::logic_error("no such fixture page");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildRefuses,
    ::testing::Values(
        Refusal{"missingRequiredCode",
                [](auto &p) {
                    p.removeIf([](const PageSpec &s) { return s.codigo == 2002; });
                    page(p, 2001).topicosRel.clear();
                },
                "", "Codigo 2002"},
        Refusal{"dicaOver255", [](auto &p) { page(p, 1201).dica = QString(256, 'x'); },
                "reflexoes/1201.page", "Dica has 256"},
        Refusal{"tituloOver80WithDicaOf255",
                [](auto &p) {
                    page(p, 1201).dica = QString(255, 'x');
                    page(p, 2002).titulo = QString(81, 'T');
                },
                "ajuda/2002.page", "Titulo has 81"},
        Refusal{"refOver50", [](auto &p) { page(p, 1000).ref = QString(51, 'r'); },
                "biblia/1000.page", "Ref has 51"},
        Refusal{"verseWithoutPicture", [](auto &p) { page(p, 1102).versiculo.clear(); },
                "versiculos/1102.page", "without picture"},
        Refusal{"reflectionWithoutDica", [](auto &p) { page(p, 1202).dica.clear(); },
                "reflexoes/1202.page", "without Dica"},
        Refusal{"relatedCodeNamesNoPage", [](auto &p) { page(p, 2001).topicosRel = "2002 2099"; },
                "ajuda/2001.page", "2099"},
        Refusal{"relatedPartNotACode", [](auto &p) { page(p, 2001).topicosRel = "2002 dois"; },
                "ajuda/2001.page", "'dois'"},
        Refusal{"emptyBody", [](auto &p) { page(p, 2002).body = "  "; }, "ajuda/2002.page",
                "empty body"},
        Refusal{"oneVerseOnly", [](auto &p) { page(p, 1102).tipo = 3; }, "", "1 verse page"},
        Refusal{"oneReflectionOnly", [](auto &p) { page(p, 1202).tipo = 4; }, "",
                "1 reflection page"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BuildRefuses, RepeatedCodeNamesBothFiles)
{
    QTemporaryDir dir;
    QList<PageSpec> pages = goodTree();
    for (const PageSpec &p : pages)
        testsupport::writePage(dir.path(), p);
    PageSpec again = pages.last();
    again.subdir = "zz";
    testsupport::writePage(dir.path(), again);
    try {
        help::buildInfoBase(dir.path() + "/TbInfo.DB", help::pageFiles(dir.path()), kRequired,
                            dir.path());
        FAIL() << "built";
    } catch (const help::BuildError &e) {
        EXPECT_TRUE(e.file().endsWith("zz/1000.page")) << e.what();
        EXPECT_TRUE(e.reason().contains("biblia/1000.page")) << e.what();
    }
}

// The compiled rows of a good tree, and a verse picture the verse panel can show.
class GoodTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const PageSpec &p : goodTree())
            testsupport::writePage(dir.path() + "/content", p);
        output = dir.path() + "/TbInfo.DB";
        help::buildInfoBase(output, help::pageFiles(dir.path() + "/content"), kRequired,
                            dir.path());
    }
    QVariant field(int code, const char *name)
    {
        data::Database db(true);
        data::AttachGuard g(db, output);
        return db.scalar(QString("SELECT %1 FROM %2.Tabela WHERE Codigo = ?")
                             .arg(name, data::quoteIdent(g.alias())),
                         {code});
    }
    QTemporaryDir dir;
    QString output;
};

TEST_F(GoodTree, EveryPageIsARowWithItsFields)
{
    EXPECT_EQ(field(2001, "Titulo").toString(), QString("Propósito"));
    EXPECT_EQ(field(2001, "TopicosRel").toString(), QString("2002  2002"));
    EXPECT_EQ(field(1201, "Dica").toString(), QString("Gaste menos do que ganha."));
    EXPECT_EQ(field(2002, "Texto").toString(), QString("<p>Os bens.</p>"));
    EXPECT_EQ(field(1000, "Tipo").toInt(), 3);
    EXPECT_FALSE(field(2001, "Imagem").isValid()); // only verses carry a picture
}

TEST_F(GoodTree, VersePicturesAreDrawnInThePanelsColours)
{
    for (int code : {1101, 1102}) {
        QImage img;
        ASSERT_TRUE(img.loadFromData(field(code, "Imagem").toByteArray(), "PNG")) << code;
        EXPECT_EQ(img.size(), QSize(help::kVerseWidth, help::kVerseHeight));
        EXPECT_EQ(img.pixelColor(0, 0), QColor("#ECF4EC"));
        EXPECT_EQ(img.pixelColor(599, 89), QColor("#ECF4EC"));
    }
}

// Dark pixels (the text's colour) in the given band of the picture.
int inkIn(const QImage &img, const QRect &band)
{
    int n = 0;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            n += img.pixelColor(x, y).lightness() < 120;
    return n;
}

TEST(VersePicture, ALongVerseShrinksToFitAboveItsReference)
{
    const QString verse = QString("Honre o Senhor com os seus bens e com o primeiro fruto de tudo "
                                  "o que ganha; então a sua despensa ficará cheia. ")
                              .repeated(3);
    const QImage img = help::renderVerse(verse, "Provérbios 3:9-10");
    ASSERT_EQ(img.size(), QSize(600, 90));
    // The reference sits at the bottom right, and nothing is drawn at the left of its line
    // (the verse did not run into it) nor in the outer margins.
    EXPECT_GT(inkIn(img, QRect(420, 72, 170, 16)), 20);
    EXPECT_EQ(inkIn(img, QRect(0, 76, 300, 14)), 0);
    EXPECT_EQ(inkIn(img, QRect(0, 0, 600, 2)), 0);
    EXPECT_EQ(inkIn(img, QRect(0, 0, 4, 90)), 0);
    EXPECT_GT(inkIn(img, QRect(10, 4, 580, 60)), 500);
}

TEST(BuildKeepsThePreviousFile, WhenTheNewTreeIsRefused)
{
    QTemporaryDir dir;
    for (const PageSpec &p : goodTree())
        testsupport::writePage(dir.path() + "/good", p);
    const QString output = dir.path() + "/TbInfo.DB";
    help::buildInfoBase(output, help::pageFiles(dir.path() + "/good"), kRequired, "good");
    const QByteArray before = [&] {
        QFile f(output);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    testsupport::writePage(dir.path() + "/bad", testsupport::pageSpec(2001, 4, "Só uma"));
    EXPECT_THROW(
        help::buildInfoBase(output, help::pageFiles(dir.path() + "/bad"), kRequired, "bad"),
        help::BuildError);
    QFile f(output);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

// The tool itself checks against the program's codes and fails with a line naming the reason.
TEST(InfobaseTool, RefusesATreeWithoutTheProgramsCodes)
{
    QTemporaryDir dir;
    for (const PageSpec &p : goodTree())
        testsupport::writePage(dir.path() + "/content", p);
    QProcess tool;
    tool.start(QUORVILA_INFOBASE_TOOL, {dir.path() + "/TbInfo.DB", dir.path() + "/content"});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(tool.readAllStandardError()).contains("Codigo 1001"))
        << tool.readAllStandardError().constData();
    EXPECT_FALSE(QFile::exists(dir.path() + "/TbInfo.DB"));
}

struct RelatedCase
{
    const char *name;
    QString topicosRel;
    QList<int> expected;
};

class RelatedCodes : public ::testing::TestWithParam<RelatedCase>
{
};

TEST_P(RelatedCodes, AreReadAsWritten)
{
    EXPECT_EQ(help::relatedCodes(GetParam().topicosRel), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RelatedCodes,
    ::testing::Values(RelatedCase{"runsOfBlanksCollapse", "  2033   2035 ", {2033, 2035}},
                      RelatedCase{"empty", "", {}}, RelatedCase{"onlyBlanks", "    ", {}},
                      RelatedCase{"nonNumberSkipped", "2033 dois 2035x 2004", {2033, 2004}},
                      RelatedCase{"orderAndRepeatsKept", "2035 2033 2035", {2035, 2033, 2035}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
