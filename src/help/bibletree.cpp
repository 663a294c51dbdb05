#include "bibletree.h"

#include <QStringList>

namespace help {

namespace {

// A devotional series: its title, then its seven days as children.
void addSeries(std::vector<BibleTopic> &t, const QString &title)
{
    static const QStringList days = {"Domingo", "Segunda", "Terça", "Quarta",
                                     "Quinta",  "Sexta",   "Sábado"};
    t.push_back({title, 1});
    for (const QString &d : days)
        t.push_back({d, 2});
}

std::vector<BibleTopic> makeTopics()
{
    std::vector<BibleTopic> t = {
        {"Introdução", 0},
        {"A Perspectiva da Eternidade", 0},
        {"Escala de Valores", 0},
        {"Você Administra Bem o Seu Dinheiro?", 0},
        {"Princípios Bíblicos de Finanças", 0},
        {"Você quer Ficar Rico?", 1},
        {"Deus é o Dono do Universo", 1},
        {"O Mordomo Fiel", 1},
        {"Reconhece que tudo pertence a Deus", 2},
        {"Submete-se à Autoridade", 2},
        {"Busca Conselhos", 2},
        {"Age com Absoluta Honestidade", 2},
        {"Trabalha Diligentemente", 2},
        {"Gasta com Sabedoria", 2},
        {"Evita Dívidas", 2},
        {"Economiza com Prudência", 2},
        {"Contribui Generosamente", 2},
        {"Não é Cobiçoso nem Avarento", 2},
        {"Ensina os Filhos a Lidar com o Dinheiro", 2},
        {"Experimenta uma Vida de Contentamento", 2},
        {"Estabelece um Estilo de Vida Coerente...", 2},
        {"Vive na Perspectiva da Eternidade", 2},
        {"Outros Tópicos de Finanças", 1},
        {"Devocionais de Finanças", 0},
    };
    addSeries(t, "Finanças e Bens Materiais [Panorama Resumido]");
    addSeries(t, "Mordomia Fiel 1 [As Verdadeiras Riquezas]");
    addSeries(t, "Mordomia Fiel 2 [Mordomia é Responsabilidade]");
    addSeries(t, "Mordomia Fiel 3 [Realmente Importante]");
    addSeries(t, "Integridade");
    addSeries(t, "Contentamento");
    t.push_back({"Tarefas e Desafios", 0});
    t.push_back({"Sugestões de Livros", 0});
    return t;
}

} // namespace

const std::vector<BibleTopic> &bibleTopics()
{
    static const std::vector<BibleTopic> topics = makeTopics();
    return topics;
}

const std::vector<int> &bibleTopicsExpanded()
{
    static const std::vector<int> positions = {4, 23, 24};
    return positions;
}

} // namespace help
