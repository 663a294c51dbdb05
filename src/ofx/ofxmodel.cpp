#include "ofxmodel.h"

#include <app/dates.h>
#include <app/format.h>

namespace ofx {

void OfxRowsModel::setRows(std::vector<ImportRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void OfxRowsModel::rowsChanged()
{
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1));
}

void OfxRowsModel::toggle(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    m_rows[size_t(row)].include = !m_rows[size_t(row)].include;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int OfxRowsModel::includedCount() const
{
    return int(
        std::count_if(m_rows.begin(), m_rows.end(), [](const auto &r) { return r.include; }));
}

int OfxRowsModel::similarIncludedCount() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(),
                             [](const auto &r) { return r.include && r.similar; }));
}

int OfxRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int OfxRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant OfxRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const ImportRow &r = m_rows[size_t(index.row())];
    if (role == Qt::ToolTipRole && r.similar)
        return "Há um lançamento com a mesma data e o mesmo valor: possivelmente já foi lançado.";
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case Incluir:
        case Data:
            return int(Qt::AlignCenter);
        case Dest:
        case Orig:
        case Valor:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    const StagingRow &s = r.row;
    switch (index.column()) {
    case Incluir:
        return r.include ? "Sim" : "Não";
    case Data:
        return app::formatDate(s.Data);
    case Dest:
        return QString::number(s.CtaDeb);
    case Orig:
        return QString::number(s.CtaCred);
    case Valor:
        return app::formatMoney(s.Valor);
    case Hsto:
        // What the entry will be given: a transaction without a memo gets the default history.
        return s.Hsto.trimmed().isEmpty() ? defaultHistory() : s.Hsto;
    case NumDoc:
        return s.NumDoc;
    case Ok:
        return s.Confirmado ? "Ok" : "--";
    default:
        return r.similar ? "Semelhante" : QString();
    }
}

QVariant OfxRowsModel::headerData(int section, Qt::Orientation o, int role) const
{
    static const char *const titles[] = {"Importar",  "Data",   "Dest", "Orig",    "Valor",
                                         "Histórico", "NumDoc", "OK",   "Situação"};
    if (o != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(section == Data    ? Qt::AlignCenter
                   : section == Valor ? Qt::AlignRight | Qt::AlignVCenter
                                      : Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    return QString(titles[section]);
}

} // namespace ofx
