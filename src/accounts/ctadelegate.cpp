#include "ctadelegate.h"

#include "accountcode.h"

#include <QPainter>
#include <QWidget>

namespace accounts {

CtaRowDelegate::CtaRowDelegate(int rightColumn, QObject *parent)
    : QStyledItemDelegate(parent), m_rightColumn(rightColumn)
{
}

void CtaRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    const QString code = index.sibling(index.row(), 0).data().toString();
    const bool selected =
        (option.state & QStyle::State_Selected) && option.widget && option.widget->hasFocus();
    const RowColours c = rowColours(code, selected);
    painter->save();
    painter->fillRect(option.rect, QColor(QRgb(c.background)));
    painter->setPen(QColor(QRgb(c.font)));
    painter->setFont(option.font);
    // Text two pixels inside the cell's side edges and three below its top.
    const QRect text = option.rect.adjusted(2, 3, -2, 0);
    const Qt::Alignment align =
        (index.column() == m_rightColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
    const QString shown =
        option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width());
    painter->drawText(text, int(align), shown);
    painter->restore();
}

} // namespace accounts
