// The RTF writer and the composed page it writes: Windows-1252 escapes, runs with their font,
// size, weight and colour, paragraphs, and a document an RTF reader can walk (balanced groups,
// every font and colour it uses declared in its tables).
#include <help/pagedocument.h>
#include <help/rtfwriter.h>

#include <app/csvwriter.h>

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

QString rtfOf(const QString &html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return QString::fromLatin1(help::toRtf(doc));
}

// The group depth never goes below zero and ends at zero; escaped braces are text.
bool groupsBalance(const QString &rtf)
{
    int depth = 0;
    for (int i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{')
            ++depth;
        if (rtf[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

TEST(RtfWriter, WritesAWellFormedWindows1252Document)
{
    const QString rtf = rtfOf("<p>Ação e atenção: R$ 5 € {chaves} \\barra</p><p>Seta → fim</p>");
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl")) << qPrintable(rtf);
    EXPECT_TRUE(groupsBalance(rtf)) << qPrintable(rtf);
    for (const char *part : {"A\\'e7\\'e3o e aten\\'e7\\'e3o", "\\'80", "\\{chaves\\}", "\\\\barra",
                             "Seta \\u8594? fim"})
        EXPECT_TRUE(rtf.contains(part)) << part << "\n" << qPrintable(rtf);
    EXPECT_EQ(rtf.count("\\par\r\n"), 2);
    for (const QChar c : rtf)
        EXPECT_LT(c.unicode(), 128) << "RTF is written in ASCII";
}

TEST(RtfWriter, RunsKeepTheirBoldItalicAndColour)
{
    const QString rtf = rtfOf("<p>simples <b>forte</b> <i>inclinado</i> "
                              "<span style=\"color:#006000\">verde</span></p>");
    EXPECT_TRUE(rtf.contains(QRegularExpression("\\\\b [^}]*forte}"))) << qPrintable(rtf);
    EXPECT_TRUE(rtf.contains(QRegularExpression("\\\\i inclinado}"))) << qPrintable(rtf);
    EXPECT_FALSE(rtf.contains(QRegularExpression("\\\\b [^}]*simples"))) << qPrintable(rtf);
    // Colour 1 is black (the first run's), colour 2 the green the last run refers to.
    EXPECT_TRUE(rtf.contains("{\\colortbl;\\red0\\green0\\blue0;\\red0\\green96\\blue0;}"))
        << qPrintable(rtf);
    EXPECT_TRUE(rtf.contains(QRegularExpression("\\\\cf2 verde}"))) << qPrintable(rtf);
}

TEST(RtfWriter, ParagraphsKeepAlignmentAndListsTheirMarks)
{
    const QString rtf =
        rtfOf("<h2>Título</h2><p align=\"center\">meio</p><ul><li>um</li><li>dois</li></ul>");
    EXPECT_TRUE(rtf.contains(QRegularExpression("\\\\qc[^\\n]*meio"))) << qPrintable(rtf);
    EXPECT_EQ(rtf.count("\\'95\\tab"), 2) << qPrintable(rtf); // the bullet, in Windows-1252
    EXPECT_TRUE(rtf.contains(QRegularExpression("\\\\b [^}]*T\\\\'edtulo"))) << qPrintable(rtf);
}

// The copy and save recipe: banner, motto, title, then the page's own text, in that order.
TEST(ComposePage, PutsBannerMottoAndTitleAboveTheText)
{
    QTextDocument doc;
    help::composePage(doc, {"Plano de Contas", "<p>Corpo da página.</p>"}, help::MottoLetter::With);
    const QStringList motto = app::productMotto();
    QStringList blocks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        blocks << b.text();
    EXPECT_EQ(blocks,
              (QStringList{"[Quorvila :: Finanças Pessoais] " + app::productWebAddress(), motto[0],
                           motto[1] + "b", "", "Plano de Contas", "", "Corpo da página."}));
    const QTextCharFormat title = doc.findBlockByNumber(4).begin().fragment().charFormat();
    EXPECT_EQ(title.fontPointSize(), 14);
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(title.foreground().color(), QColor(0, 96, 0));
    const QTextCharFormat line = doc.findBlockByNumber(1).begin().fragment().charFormat();
    EXPECT_EQ(line.foreground().color(), QColor(0x80, 0x80, 0x00));
    EXPECT_EQ(line.fontPointSize(), 10);

    help::composePage(doc, {"Título", "<p>x</p>"}, help::MottoLetter::Without);
    EXPECT_EQ(doc.findBlockByNumber(2).text(), motto[1]);
    EXPECT_EQ(
        doc.findBlockByNumber(0).begin().fragment().charFormat().fontFamilies().toStringList(),
        QStringList{"Arial"});
}

TEST(ComposePage, SavedAsRtfTheBannerComesFirstInArial)
{
    QTextDocument doc;
    help::composePage(doc, {"Título", "<p>corpo</p>"}, help::MottoLetter::With);
    const QString rtf = QString::fromLatin1(help::toRtf(doc));
    EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset0 Arial;}")) << qPrintable(rtf);
    const int banner = int(rtf.indexOf("[Quorvila :: Finan\\'e7as Pessoais]"));
    const int title = int(rtf.indexOf("T\\'edtulo"));
    const int body = int(rtf.indexOf("corpo"));
    EXPECT_GE(banner, 0);
    EXPECT_LT(banner, title);
    EXPECT_LT(title, body);
    EXPECT_TRUE(rtf.contains("\\fs24")) << "banner in 12 points";
    EXPECT_TRUE(rtf.contains("\\fs28\\cf")) << "title in 14 points";
}

} // namespace
