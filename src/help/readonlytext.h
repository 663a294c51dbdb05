// Read-only rich-text boxes of the help screens: the text can be read, scrolled and selected
// with the mouse, but no caret is ever drawn in it.
#pragma once

class QTextEdit;

namespace help {

void makeReadOnlyText(QTextEdit *text);

} // namespace help
