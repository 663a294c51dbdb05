// Reading the information base for the panels and the reader: the candidates of a kind in code
// order, and a page by code, with a missing code told apart from an empty page.
#include <help/infopages.h>

#include <app/tests/infobasefixture.h>
#include <data/UDM.h>
#include <help/infocodes.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct InfoPages : ::testing::Test
{
    QTemporaryDir dir;
    data::TDM dm;
    void SetUp() override
    {
        testsupport::makeEmptyInformationBase(dir.path());
        testsupport::addInformationPages(dir.path(),
                                         {{1202, 2, "Segunda", "<p>b</p>", "Dica b", {}},
                                          {1101, 1, "Verso", "<p>v</p>", {}, QByteArray("PNG")},
                                          {1201, 2, "Primeira", "<p>a</p>", "Dica a", {}},
                                          {2008, 4, "Ajuda", "<p>h</p>", {}, {}}});
        dm.DataModuleCreate(dir.path());
        dm.openInfo();
    }
};

TEST_F(InfoPages, CodesOfAKindInCodeOrder)
{
    EXPECT_EQ(help::pageCodes(dm.infoDb(), *dm.TbInfo, help::KindReflection),
              QList<qlonglong>({1201, 1202}));
    EXPECT_EQ(help::pageCodes(dm.infoDb(), *dm.TbInfo, help::KindVerse), QList<qlonglong>({1101}));
    EXPECT_TRUE(help::pageCodes(dm.infoDb(), *dm.TbInfo, help::KindArticle).isEmpty());
}

TEST_F(InfoPages, APageByCode)
{
    const auto verse = help::readPage(dm.infoDb(), *dm.TbInfo, 1101);
    ASSERT_TRUE(verse);
    EXPECT_EQ(verse->tipo, 1);
    EXPECT_EQ(verse->titulo.toStdString(), "Verso");
    EXPECT_EQ(verse->imagem, QByteArray("PNG"));
    const auto dica = help::readPage(dm.infoDb(), *dm.TbInfo, 1202);
    ASSERT_TRUE(dica);
    EXPECT_EQ(dica->dica.toStdString(), "Dica b");
    EXPECT_EQ(dica->texto.toStdString(), "<p>b</p>");
    EXPECT_FALSE(help::readPage(dm.infoDb(), *dm.TbInfo, 1999));
}

} // namespace
