// The Bible reader's topics: a fixed tree of 74 nodes whose node at depth-first position k
// (parents before children, counting from 0) shows the information-base page 1000 + k. The
// screen builds its tree from this list; the order is the pages' addressing and never changes.
#pragma once

#include <QString>

#include <vector>

namespace help {

struct BibleTopic
{
    QString title;
    int depth = 0; // 0 for a top-level node; a node's parent is the nearest earlier shallower one
};

// The 74 topics in depth-first order.
const std::vector<BibleTopic> &bibleTopics();

// The page a node shows, from its depth-first position.
constexpr int kFirstBibleTopicCode = 1000;
constexpr int bibleTopicCode(int position)
{
    return kFirstBibleTopicCode + position;
}

// The positions of the nodes that are open when the reader starts: "Princípios Bíblicos de
// Finanças", "Devocionais de Finanças" and its first series.
const std::vector<int> &bibleTopicsExpanded();

} // namespace help
