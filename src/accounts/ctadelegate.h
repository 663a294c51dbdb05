// Paints the rows of the account grids (the chart screen and the look-up) in the colours of
// their group and level, with the selected row in the group's strong colour while the grid has
// the focus. The account code is read from column 0 of the row.
#pragma once

#include <QStyledItemDelegate>

namespace accounts {

class CtaRowDelegate : public QStyledItemDelegate
{
public:
    // `rightColumn` is drawn right-aligned (the reduced code).
    explicit CtaRowDelegate(int rightColumn, QObject *parent = nullptr);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    int m_rightColumn;
};

} // namespace accounts
