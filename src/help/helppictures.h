// The small pictures of the quick help, the about box and the Bible reader's tree, drawn by the
// program itself so that no image file has to travel with it.
#pragma once

#include <QPixmap>

namespace help {

enum class Picture {
    Logo,       // the program's mark: a green coin with a leaf
    Finance,    // a ledger with coins
    Assets,     // a house
    Bible,      // an open book
    Calculator, // a calculator
    Help,       // a question mark in a circle
    Support,    // a heart
    BookClosed, // tree: a topic with subtopics, closed
    BookOpen,   // tree: a topic with subtopics, open
    Page,       // tree: a topic page
    Day,        // tree: a day of a devotional series
};

// The picture at `size` × `size` pixels.
QPixmap picture(Picture which, int size);

} // namespace help
