// How every grid of entries looks: the colours of a row by its kind (selected only while the
// grid has the focus), the texts 2 pixels in from their edge, and the model that shows found
// entries (the search, the upcoming entries) with the main list's columns and texts.
#pragma once

#include "rowkind.h"
#include "search.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStyledItemDelegate>

#include <functional>
#include <utility>

class QAbstractItemView;
class QFrame;
class QTableView;
class QWidget;

namespace entries {

struct KindColours
{
    QColor text, background, selText, selBackground;
};
KindColours coloursOf(RowKind k);

// Paints each cell in its row's colours; `accounts(row)` gives the row's CtaDeb and CtaCred.
// Cells without text alignment use the model's.
class EntryGridDelegate : public QStyledItemDelegate
{
public:
    using Accounts = std::function<std::pair<qint64, qint64>(int row)>;
    EntryGridDelegate(QAbstractItemView *view, Accounts accounts);

    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    QAbstractItemView *m_view;
    Accounts m_accounts;
};

// The found entries: "Codigo", "Data", "Dest", "Orig", "Valor ", "Histórico", "Num Doc", "OK".
class FoundEntriesModel : public QAbstractTableModel
{
public:
    // `codigoAlignment`: centred in the search, right-aligned in the upcoming entries.
    explicit FoundEntriesModel(Qt::Alignment codigoAlignment, QObject *parent = nullptr);

    void setRows(std::vector<FoundEntry> rows);
    const std::vector<FoundEntry> &rows() const { return m_rows; }
    // The row's accounts, for the delegate.
    std::pair<qint64, qint64> accountsOf(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    Qt::Alignment m_codigoAlignment;
    std::vector<FoundEntry> m_rows;
};

// The eight columns' widths of a grid of entries (the main list's and the found entries'): the
// classic widths, the amount column as wide as the largest amount needs (text 2 pixels in from
// each edge, and the grid line), taken from the history column so the row keeps its width.
void setEntryGridColumns(QTableView *grid);
// A read-only grid of entries: whole rows selected one at a time, no row numbers, rows 17 pixels
// high in the small 7.5-point face the column widths are made for.
void setupEntryGrid(QTableView *grid);
// A panel in the dialogs' light green (#ECF4EC), for criteria and facts above a grid.
QFrame *lightPanel(QWidget *parent, const char *objectName);

} // namespace entries
