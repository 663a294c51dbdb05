#include "rtfwriter.h"

#include <QColor>
#include <QFont>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>

#include <cmath>

namespace help {

namespace {

// Font sizes as the document lays them out: an explicit point size, else the document's size
// scaled by the HTML size step (<h1> to <h6>, <big>, <small>), as Qt's text layout does.
qreal pointSizeOf(const QTextCharFormat &f, const QTextDocument &doc)
{
    if (f.hasProperty(QTextFormat::FontPointSize))
        return f.fontPointSize();
    qreal base = doc.defaultFont().pointSizeF();
    if (base <= 0)
        base = 10;
    static const qreal steps[] = {0.7, 0.8, 1.0, 1.2, 1.5, 2.0, 2.4};
    const int i = qBound(0, f.property(QTextFormat::FontSizeAdjustment).toInt() + 2, 6);
    return base * steps[i];
}

QString familyOf(const QTextCharFormat &f, const QTextDocument &doc)
{
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return doc.defaultFont().family();
}

QColor colourOf(const QTextCharFormat &f)
{
    const QBrush b = f.foreground();
    return b.style() == Qt::NoBrush ? QColor(Qt::black) : b.color();
}

class RtfWriter
{
public:
    explicit RtfWriter(const QTextDocument &doc) : m_doc(doc) {}
    QByteArray write();

private:
    void writeBlock(const QTextBlock &block);
    void writeRun(const QString &text, const QTextCharFormat &f);
    void writeText(const QString &text);
    int fontIndex(const QString &family);
    int colourIndex(const QColor &c);
    static QByteArray twips(qreal pixels) { return QByteArray::number(qRound(pixels * 15)); }

    const QTextDocument &m_doc;
    QStringList m_fonts;
    QList<QColor> m_colours;
    QByteArray m_body;
    QStringEncoder m_cp1252{"windows-1252"};
};

QByteArray RtfWriter::write()
{
    for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next())
        writeBlock(b);
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        const QString name = m_fonts[i];
        std::swap(m_body, out);
        writeText(name);
        std::swap(m_body, out);
        out += ";}";
    }
    out += "}{\\colortbl;";
    for (const QColor &c : m_colours)
        out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) +
               "\\blue" + QByteArray::number(c.blue()) + ';';
    out += "}\r\n" + m_body + "}\r\n";
    return out;
}

void RtfWriter::writeBlock(const QTextBlock &block)
{
    const QTextBlockFormat bf = block.blockFormat();
    m_body += "\\pard";
    switch (bf.alignment() & Qt::AlignHorizontal_Mask) {
    case Qt::AlignHCenter:
        m_body += "\\qc";
        break;
    case Qt::AlignRight:
        m_body += "\\qr";
        break;
    case Qt::AlignJustify:
        m_body += "\\qj";
        break;
    default:
        m_body += "\\ql";
        break;
    }
    qreal left = bf.leftMargin() + bf.indent() * m_doc.indentWidth();
    if (block.textList())
        left += m_doc.indentWidth() * block.textList()->format().indent();
    if (left > 0)
        m_body += "\\li" + twips(left);
    if (bf.textIndent() != 0)
        m_body += "\\fi" + twips(bf.textIndent());
    if (bf.topMargin() > 0)
        m_body += "\\sb" + twips(bf.topMargin());
    if (bf.bottomMargin() > 0)
        m_body += "\\sa" + twips(bf.bottomMargin());
    m_body += ' ';
    if (QTextList *list = block.textList()) {
        // Numbered lists have their number; the others a bullet.
        const QTextListFormat::Style style = list->format().style();
        const bool bullet = style == QTextListFormat::ListDisc ||
                            style == QTextListFormat::ListCircle ||
                            style == QTextListFormat::ListSquare;
        writeRun((bullet ? QString(QChar(0x2022)) : list->itemText(block)) + '\t',
                 block.charFormat());
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fr = it.fragment();
        if (fr.isValid())
            writeRun(fr.text(), fr.charFormat());
    }
    m_body += "\\par\r\n";
}

void RtfWriter::writeRun(const QString &text, const QTextCharFormat &f)
{
    // A picture is one object-replacement character: it has no text to write.
    QString t = text;
    t.remove(QChar::ObjectReplacementCharacter);
    if (t.isEmpty())
        return;
    m_body += "{\\f" + QByteArray::number(fontIndex(familyOf(f, m_doc)));
    m_body += "\\fs" + QByteArray::number(qRound(pointSizeOf(f, m_doc) * 2));
    m_body += "\\cf" + QByteArray::number(colourIndex(colourOf(f)));
    if (f.fontWeight() >= QFont::DemiBold)
        m_body += "\\b";
    if (f.fontItalic())
        m_body += "\\i";
    if (f.fontUnderline())
        m_body += "\\ul";
    m_body += ' ';
    writeText(t);
    m_body += '}';
}

void RtfWriter::writeText(const QString &text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            m_body += '\\';
            m_body += char(u);
        } else if (u == '\t') {
            m_body += "\\tab ";
        } else if (u == QChar::LineSeparator || u == '\n') {
            m_body += "\\line ";
        } else if (u == QChar::Nbsp) {
            m_body += "\\~";
        } else if (u >= 0x20 && u < 0x80) {
            m_body += char(u);
        } else if (u < 0x20) {
            continue; // no other control character belongs in the text
        } else {
            const QByteArray b = m_cp1252.encode(QString(ch));
            if (!m_cp1252.hasError() && b.size() == 1 && uchar(b[0]) >= 0x80) {
                m_body += "\\'" + QByteArray::number(uchar(b[0]), 16).rightJustified(2, '0');
            } else {
                m_cp1252 = QStringEncoder("windows-1252");
                // \uN takes a signed 16-bit number; characters outside the basic plane are
                // written as their two halves, each its own \uN.
                m_body += "\\u" + QByteArray::number(qint16(u)) + '?';
            }
        }
    }
}

int RtfWriter::fontIndex(const QString &family)
{
    int i = int(m_fonts.indexOf(family));
    if (i < 0) {
        i = int(m_fonts.size());
        m_fonts << family;
    }
    return i;
}

int RtfWriter::colourIndex(const QColor &c)
{
    const QColor rgb = c.toRgb();
    for (int i = 0; i < m_colours.size(); ++i)
        if (m_colours[i].rgb() == rgb.rgb())
            return i + 1;
    m_colours << rgb;
    return int(m_colours.size()); // index 0 is the reader's default colour
}

} // namespace

QByteArray toRtf(const QTextDocument &doc)
{
    return RtfWriter(doc).write();
}

} // namespace help
