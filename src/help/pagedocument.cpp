#include "pagedocument.h"

#include <app/csvwriter.h>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace help {

static QTextCharFormat arial(qreal points, const QColor &colour, bool bold = false)
{
    QTextCharFormat f;
    f.setFontFamilies({"Arial"});
    f.setFontPointSize(points);
    f.setForeground(colour);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

void composePage(QTextDocument &doc, const PageText &page, MottoLetter letter)
{
    doc.clear();
    QTextCursor c(&doc);
    const QColor olive(0x80, 0x80, 0x00);
    const QTextCharFormat banner = arial(12, Qt::black);
    const QTextCharFormat motto = arial(10, olive);
    c.setCharFormat(banner);
    c.insertText("[Quorvila :: Finanças Pessoais] " + app::productWebAddress(), banner);
    const QStringList lines = app::productMotto();
    for (int i = 0; i < lines.size(); ++i) {
        c.insertBlock(QTextBlockFormat(), motto);
        const bool last = i == lines.size() - 1;
        c.insertText(lines[i] + (last && letter == MottoLetter::With ? "b" : ""), motto);
    }
    c.insertBlock(QTextBlockFormat(), motto);
    const QTextCharFormat title = arial(14, QColor(0, 96, 0), true);
    c.insertBlock(QTextBlockFormat(), title);
    c.insertText(page.title, title);
    c.insertBlock(QTextBlockFormat(), title);
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    c.insertFragment(QTextDocumentFragment::fromHtml(page.html));
}

} // namespace help
