#include "readonlytext.h"

#include <QTextEdit>

namespace help {

void makeReadOnlyText(QTextEdit *text)
{
    text->setReadOnly(true);
    // Without keyboard selection a read-only box has no caret to move, and with a zero width
    // none is painted even while it has the focus.
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setCursorWidth(0);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace help
