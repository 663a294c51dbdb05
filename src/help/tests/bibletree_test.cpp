// The Bible reader's topics: node k in depth-first order shows page 1000 + k, so the order,
// titles and nesting are the pages' addresses.
#include <help/bibletree.h>

#include <gtest/gtest.h>

#include <QStringList>

using help::bibleTopics;

namespace {

// The path of titles from the top to the node at `position`.
QStringList pathOf(int position)
{
    const auto &t = bibleTopics();
    QStringList path = {t[position].title};
    int depth = t[position].depth;
    for (int i = position - 1; i >= 0 && depth > 0; --i)
        if (t[i].depth < depth) {
            path.prepend(t[i].title);
            depth = t[i].depth;
        }
    return path;
}

TEST(BibleTopics, SeventyFourNodesNestedOneLevelAtATime)
{
    const auto &t = bibleTopics();
    ASSERT_EQ(t.size(), 74u);
    EXPECT_EQ(t.front().depth, 0);
    for (size_t i = 1; i < t.size(); ++i)
        EXPECT_LE(t[i].depth, t[i - 1].depth + 1) << i;
}

struct NodeCase
{
    int code;
    const char *path; // the titles from the top down to the node, joined by " > "
};

class BibleTopicNode : public ::testing::TestWithParam<NodeCase>
{
};

TEST_P(BibleTopicNode, ShowsItsPage)
{
    const int position = GetParam().code - help::kFirstBibleTopicCode;
    EXPECT_EQ(help::bibleTopicCode(position), GetParam().code);
    EXPECT_EQ(pathOf(position).join(" > ").toStdString(), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Listed, BibleTopicNode,
    ::testing::Values(
        NodeCase{1000, "Introdução"}, NodeCase{1001, "A Perspectiva da Eternidade"},
        NodeCase{1003, "Você Administra Bem o Seu Dinheiro?"},
        NodeCase{1004, "Princípios Bíblicos de Finanças"},
        NodeCase{1005, "Princípios Bíblicos de Finanças > Você quer Ficar Rico?"},
        NodeCase{1007, "Princípios Bíblicos de Finanças > O Mordomo Fiel"},
        NodeCase{1008, "Princípios Bíblicos de Finanças > O Mordomo Fiel > "
                       "Reconhece que tudo pertence a Deus"},
        NodeCase{1016, "Princípios Bíblicos de Finanças > O Mordomo Fiel > "
                       "Contribui Generosamente"},
        NodeCase{1017, "Princípios Bíblicos de Finanças > O Mordomo Fiel > "
                       "Não é Cobiçoso nem Avarento"},
        NodeCase{1021, "Princípios Bíblicos de Finanças > O Mordomo Fiel > "
                       "Vive na Perspectiva da Eternidade"},
        NodeCase{1022, "Princípios Bíblicos de Finanças > Outros Tópicos de Finanças"},
        NodeCase{1023, "Devocionais de Finanças"},
        NodeCase{1024, "Devocionais de Finanças > Finanças e Bens Materiais [Panorama Resumido]"},
        NodeCase{1025, "Devocionais de Finanças > Finanças e Bens Materiais [Panorama Resumido] > "
                       "Domingo"},
        NodeCase{1032, "Devocionais de Finanças > Mordomia Fiel 1 [As Verdadeiras Riquezas]"},
        NodeCase{1040, "Devocionais de Finanças > Mordomia Fiel 2 [Mordomia é Responsabilidade]"},
        NodeCase{1047, "Devocionais de Finanças > Mordomia Fiel 2 [Mordomia é Responsabilidade] > "
                       "Sábado"},
        NodeCase{1048, "Devocionais de Finanças > Mordomia Fiel 3 [Realmente Importante]"},
        NodeCase{1056, "Devocionais de Finanças > Integridade"},
        NodeCase{1060, "Devocionais de Finanças > Integridade > Quarta"},
        NodeCase{1064, "Devocionais de Finanças > Contentamento"},
        NodeCase{1071, "Devocionais de Finanças > Contentamento > Sábado"},
        NodeCase{1072, "Tarefas e Desafios"}, NodeCase{1073, "Sugestões de Livros"}),
    [](const auto &info) { return std::to_string(info.param.code); });

TEST(BibleTopics, EverySeriesHasTheSevenDays)
{
    const auto &t = bibleTopics();
    const QStringList days = {"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"};
    for (int series : {24, 32, 40, 48, 56, 64}) {
        EXPECT_EQ(t[series].depth, 1) << series;
        for (int d = 0; d < 7; ++d) {
            EXPECT_EQ(t[series + 1 + d].title.toStdString(), days[d].toStdString()) << series;
            EXPECT_EQ(t[series + 1 + d].depth, 2) << series;
        }
    }
}

TEST(BibleTopics, TheReaderOpensThePrinciplesTheDevotionalsAndTheFirstSeries)
{
    const auto &t = bibleTopics();
    QStringList open;
    for (int p : help::bibleTopicsExpanded())
        open << t[p].title;
    EXPECT_EQ(open.join(" | ").toStdString(),
              "Princípios Bíblicos de Finanças | Devocionais de Finanças | "
              "Finanças e Bens Materiais [Panorama Resumido]");
}

} // namespace
