#include "assetgrid.h"

#include <accounts/gridsetup.h>
#include <app/format.h>

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

namespace assets {

QColor bandColour(qint64 k)
{
    static const QColor bands[] = {QColor(0xFE, 0xE8, 0xC7), QColor(0xFF, 0xFF, 0xE2),
                                   QColor(0xFF, 0xEF, 0xDD), QColor(0xFF, 0xFF, 0xC8),
                                   QColor(0xFF, 0xF5, 0xEA), QColor(0xFF, 0xFF, 0xD5)};
    return bands[((k % 6) + 6) % 6];
}

BandDelegate::BandDelegate(std::function<qint64(int row)> bandOf, QObject *parent)
    : QStyledItemDelegate(parent), m_bandOf(std::move(bandOf))
{
}

void BandDelegate::paint(QPainter *p, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    const qint64 band = m_bandOf ? m_bandOf(index.row()) : -1;
    if (band < 0) {
        QStyledItemDelegate::paint(p, option, index);
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = option.widget && option.widget->hasFocus();
    QColor back = bandColour(band), fore = Qt::black;
    if (selected && focused) {
        back = QColor(0x43, 0x70, 0x43);
        fore = Qt::white;
    }
    p->fillRect(option.rect, back);
    const Qt::Alignment a =
        Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
    const QRect r = option.rect.adjusted(2, 3, -2, 0);
    p->setPen(fore);
    p->setFont(option.font);
    const QString text =
        option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, r.width());
    p->drawText(r, int(a | Qt::AlignTop), text);
}

void setUpBandGrid(QTableView *grid, std::function<qint64(int row)> bandOf)
{
    accounts::setUpReadOnlyGrid(grid);
    grid->setItemDelegate(new BandDelegate(std::move(bandOf), grid));
    // A selected row selects every column, and a highlighting header would turn every title
    // bold and too wide for its column; the titles stay as the main grid's do.
    grid->horizontalHeader()->setHighlightSections(false);
}

std::vector<data::TableModel::Column> categoryColumns(const QString &codTitle,
                                                      const QString &nameTitle)
{
    auto code = accounts::gridColumn("CodCat", codTitle, Qt::AlignCenter);
    code.format = [](const QVariant &v) {
        return v.isNull() ? QString() : app::formatNumber(v.toLongLong(), "00");
    };
    return {code, accounts::gridColumn("NomeCat", nameTitle)};
}

void setUpCategoryGrid(QTableView *grid, data::TableModel *model)
{
    grid->setModel(model);
    setUpBandGrid(grid, [model](int row) {
        const QVariant v = model->fieldValue(row, "CodCat");
        return v.isNull() ? qint64(-1) : v.toLongLong();
    });
}

void setAssetColumnWidths(QTableView *grid, int descricaoWidth)
{
    const int widths[] = {52, descricaoWidth, 86, 30, 86, 102, 96};
    for (int i = 0; i < 7; ++i)
        grid->setColumnWidth(i, widths[i]);
}

} // namespace assets
