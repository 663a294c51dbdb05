#include "helpwidgets.h"

#include <QHBoxLayout>
#include <QLabel>
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

QHBoxLayout *addFooterVerse(QBoxLayout *into, const QString &verse)
{
    auto *footer = new QHBoxLayout;
    auto *label = new QLabel(verse);
    label->setObjectName("LabelVersiculo");
    label->setWordWrap(true);
    label->setStyleSheet("color: #808000; font-style: italic;");
    footer->addWidget(label, 1);
    into->addLayout(footer);
    return footer;
}

} // namespace help
