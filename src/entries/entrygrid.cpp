#include "entrygrid.h"

#include <app/dates.h>
#include <app/format.h>

#include <QAbstractItemView>
#include <QFrame>
#include <QHeaderView>
#include <QPainter>
#include <QTableView>

namespace entries {

KindColours coloursOf(RowKind k)
{
    switch (k) {
    case RowKind::Income:
        return {QColor("#000080"), QColor("#DFEBF9"), Qt::white, QColor("#000080")};
    case RowKind::Expense:
        return {QColor("#800000"), QColor("#FFE6E6"), Qt::white, QColor("#800000")};
    case RowKind::Transfer:
        break;
    }
    return {QColor("#2C492C"), QColor("#ECF4EC"), Qt::white, QColor("#437043")};
}

EntryGridDelegate::EntryGridDelegate(QAbstractItemView *view, Accounts accounts)
    : QStyledItemDelegate(view), m_view(view), m_accounts(std::move(accounts))
{
}

void EntryGridDelegate::paint(QPainter *p, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const auto [deb, cred] = m_accounts(index.row());
    const KindColours c = coloursOf(rowKind(deb, cred));
    const bool selected = (opt.state & QStyle::State_Selected) && m_view->hasFocus();
    p->fillRect(opt.rect, selected ? c.selBackground : c.background);
    p->setPen(selected ? c.selText : c.text);
    p->setFont(opt.font);
    // Text 2 pixels from the edge it is aligned to.
    const QRect text = opt.rect.adjusted(2, 0, -2, 0);
    p->drawText(text, int(opt.displayAlignment), opt.text);
}

FoundEntriesModel::FoundEntriesModel(Qt::Alignment codigoAlignment, QObject *parent)
    : QAbstractTableModel(parent), m_codigoAlignment(codigoAlignment)
{
}

void FoundEntriesModel::setRows(std::vector<FoundEntry> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

std::pair<qint64, qint64> FoundEntriesModel::accountsOf(int row) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return {0, 0};
    return {m_rows[size_t(row)].CtaDeb, m_rows[size_t(row)].CtaCred};
}

int FoundEntriesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FoundEntriesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 8;
}

QVariant FoundEntriesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const FoundEntry &e = m_rows[size_t(index.row())];
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case 0:
            return int(m_codigoAlignment);
        case 1:
            return int(Qt::AlignCenter);
        case 2:
        case 3:
        case 4:
            return int(right);
        default:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0:
        return app::formatNumber(e.Codigo, "000000");
    case 1:
        return app::formatDate(e.Data);
    case 2:
        return QString::number(e.CtaDeb);
    case 3:
        return QString::number(e.CtaCred);
    case 4:
        return app::formatMoney(e.Valor);
    case 5:
        return e.Hsto;
    case 6:
        return e.NumDoc;
    default:
        return e.Confirmado ? "Ok" : "--";
    }
}

QVariant FoundEntriesModel::headerData(int section, Qt::Orientation o, int role) const
{
    static const char *const titles[] = {"Codigo", "Data",      "Dest",    "Orig",
                                         "Valor ", "Histórico", "Num Doc", "OK"};
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 7)
        return {};
    return QString(titles[section]);
}

void setEntryGridColumns(QTableView *t)
{
    const QString widest = app::formatMoney(app::Money::fromCentavos(-app::kMaxAmountCentavos));
    const int valor = std::max(73, t->fontMetrics().horizontalAdvance(widest) + 5);
    const int widths[] = {43, 65, 30, 30, valor, 238 - (valor - 73), 75, 20};
    for (int i = 0; i < 8; ++i)
        t->setColumnWidth(i, widths[i]);
    t->horizontalHeader()->setStretchLastSection(true);
}

void setupEntryGrid(QTableView *grid)
{
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(17);
    QFont small = grid->font();
    small.setPointSizeF(7.5);
    grid->setFont(small);
}

QFrame *lightPanel(QWidget *parent, const char *objectName)
{
    auto *f = new QFrame(parent);
    f->setObjectName(objectName);
    f->setFrameShape(QFrame::StyledPanel);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, QColor("#ECF4EC"));
    f->setPalette(p);
    return f;
}

} // namespace entries
