#include "orcmodel.h"

#include <accounts/accountcode.h>
#include <ledger/balmodels.h>

#include <QPainter>

namespace budget {

void OrcModel::setRows(std::vector<OrcRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void OrcModel::setTitles(const QStringList &titles)
{
    m_titles = titles;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QVariant OrcModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const OrcRow &r = m_rows[size_t(index.row())];
    // Saldo's colour tells its sign; the painter lightens it on the selected row.
    if (role == Qt::ForegroundRole && index.column() == Saldo)
        return ledger::signColour(r.Saldo().centavos(), false);
    switch (index.column()) {
    case ValorOrcado:
        return ledger::amount(r.ValorOrcado, role);
    case Realizado:
        return ledger::amount(r.Realizado, role);
    case Saldo:
        return ledger::amount(r.Saldo(), role);
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case ExtCta:
        return r.ExtCta;
    case CodRed:
        return r.CodRed > 0 ? QVariant(r.CodRed) : QVariant();
    case Descricao:
        return r.Descricao;
    case PercRealizado:
        return r.PercRealizado();
    }
    return {};
}

QVariant OrcModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole)
        return m_titles.value(section);
    return {};
}

void OrcRowDelegate::paint(QPainter *p, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    const QString code = index.siblingAtColumn(OrcModel::ExtCta).data().toString();
    const bool selected = ledger::selectedInFocus(option);
    const accounts::RowColours c = accounts::rowColours(code, selected);
    const int col = index.column();
    p->save();
    p->fillRect(option.rect, QColor(QRgb(c.background)));
    QFont font = option.font;
    font.setBold(col == OrcModel::ValorOrcado);
    p->setFont(font);
    p->setPen(col == OrcModel::Saldo
                  ? ledger::signColour(index.data(Qt::UserRole).toLongLong(), selected)
                  : QColor(QRgb(c.font)));
    const bool right = col == OrcModel::CodRed || col >= OrcModel::ValorOrcado;
    QStyleOptionViewItem o = option;
    o.fontMetrics = QFontMetrics(font);
    ledger::drawCell(p, o, index.data().toString(), right ? Qt::AlignRight : Qt::AlignLeft);
    p->restore();
}

} // namespace budget
