// Small pieces the help screens share: read-only rich-text boxes that never show a caret, and
// the footer row with the screen's verse on the left and its buttons on the right.
#pragma once

class QBoxLayout;
class QHBoxLayout;
class QString;
class QTextEdit;

namespace help {

// The text can be read, scrolled and selected with the mouse, but no caret is ever drawn in it.
void makeReadOnlyText(QTextEdit *text);

// Adds to `into` a row holding the verse (olive, italic, objectName "LabelVersiculo") that takes
// the free width; the caller adds the row's buttons to the returned layout.
QHBoxLayout *addFooterVerse(QBoxLayout *into, const QString &verse);

} // namespace help
