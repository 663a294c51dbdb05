// What the program asks of its information base: the page codes it opens (the build of
// TbInfo.DB refuses a tree that lacks one) and the reading of a page's related-page list.
// Plain values only; the viewer and the build tool both use them.
#pragma once

#include <QList>
#include <QString>

namespace help {

// The page kinds (TbInfo.Tipo).
enum PageKind { KindVerse = 1, KindReflection = 2, KindArticle = 3, KindHelp = 4 };

// Every code a screen, a menu action or the Bible reader opens, in ascending order, the
// calculators' text templates included.
QList<int> requiredCodes();

// The codes of a TopicosRel text: trimmed, runs of blanks taken as one, each part read as a whole
// number; parts that are not numbers are skipped. Repeats and order are kept as written.
QList<int> relatedCodes(const QString &topicosRel);

// The related-pages menu has this many items; pages beyond them are not offered.
inline constexpr int kMaxRelated = 16;

} // namespace help
