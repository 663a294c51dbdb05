// The document a copied or saved page becomes: the program's banner, web address and motto on
// top, the page's title, then the page's own text unchanged. Shared by the help viewer, the
// Bible reader and the calculators' texts; the clipboard and the save dialog are pagecopy.h's.
#pragma once

#include <QString>

class QTextDocument;

namespace help {

struct PageText
{
    QString title;
    QString html; // the page's rich text (Qt rich text, as TbInfo.Texto holds it)
};

// Whether the motto's second line is followed by the letter "b" (the help viewer's pages carry
// it, the Bible reader's do not).
enum class MottoLetter { With, Without };

// Fills `doc` (emptied first): "[Quorvila :: Finanças Pessoais]" + blank + web address in Arial
// 12 black; the two motto lines in Arial 10 olive; an empty line; the title in Arial 14 bold
// RGB(0,96,0); an empty line; then the page's text.
void composePage(QTextDocument &doc, const PageText &page, MottoLetter letter);

} // namespace help
