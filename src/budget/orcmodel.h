// The budget grid's model and painter over the rows of the current view: the account's group and
// level colours, Valor Orçado in bold, the amounts as absolute values (their signs in Qt::UserRole)
// and Saldo coloured by its sign.
#pragma once

#include "orcview.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

namespace budget {

class OrcModel : public QAbstractTableModel
{
public:
    enum Column { ExtCta, CodRed, Descricao, ValorOrcado, Realizado, PercRealizado, Saldo };

    using QAbstractTableModel::QAbstractTableModel;
    void setRows(std::vector<OrcRow> rows);
    const std::vector<OrcRow> &rows() const { return m_rows; }
    void setTitles(const QStringList &titles);
    const QStringList &titles() const { return m_titles; }
    int rowCount(const QModelIndex & = {}) const override { return int(m_rows.size()); }
    int columnCount(const QModelIndex & = {}) const override { return 7; }
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::vector<OrcRow> m_rows;
    QStringList m_titles;
};

class OrcRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace budget
