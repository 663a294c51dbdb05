// The grid models and painters of the balance screen: the trial balance rows, the statement of
// the selected account and the year map, each over plain rows of the rules; values carry their
// signed centavos in Qt::UserRole so the painters colour them by sign.
#pragma once

#include "statements.h"
#include "trialbalance.h"
#include "yearmap.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

namespace ledger {

// An amount cell of a grid model: the absolute value "#,##0.00" to show, the signed centavos in
// Qt::UserRole for the painter.
QVariant amount(app::Money m, int role);

// What the painters of account rows share (the budget's grid too): an amount's colour by its sign
// (blue, black at zero, red; light blue, white and light red on the selected row of the focused
// grid), whether a cell is on that row, and text 2 pixels inside the cell's side and 3 below its
// top, elided to the cell.
QColor signColour(qint64 centavos, bool selected);
bool selectedInFocus(const QStyleOptionViewItem &option);
void drawCell(QPainter *p, const QStyleOptionViewItem &option, const QString &text,
              Qt::Alignment align);

class BcteModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setRows(std::vector<BcteRow> rows);
    const std::vector<BcteRow> &rows() const { return m_rows; }
    void setValueTitles(const QStringList &titles);
    int rowCount(const QModelIndex & = {}) const override { return int(m_rows.size()); }
    int columnCount(const QModelIndex & = {}) const override { return 6; }
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::vector<BcteRow> m_rows;
    QStringList m_titles{"Conta", "Red", "Nome da Conta", "", "", ""};
};

class LctosModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setRows(std::vector<LctoRow> rows);
    const std::vector<LctoRow> &rows() const { return m_rows; }
    int rowCount(const QModelIndex & = {}) const override { return int(m_rows.size()); }
    int columnCount(const QModelIndex & = {}) const override { return 8; }
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    enum Column { Codigo, Data, Dest, Orig, Valor, Hsto, NumDoc, Cta };

private:
    std::vector<LctoRow> m_rows;
};

class MapaModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setRows(std::vector<MapaRow> rows);
    const std::vector<MapaRow> &rows() const { return m_rows; }
    void setYear(int year);
    int rowCount(const QModelIndex & = {}) const override { return int(m_rows.size()); }
    int columnCount(const QModelIndex & = {}) const override { return 28; }
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::vector<MapaRow> m_rows;
    QStringList m_titles;
};

// Trial balance and map rows: colours of the account's group and level, values from the fourth
// column on as absolute amounts coloured by sign.
class BalRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

// Statement rows: colours of the row account's group, Valor by sign.
class LctoRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace ledger
