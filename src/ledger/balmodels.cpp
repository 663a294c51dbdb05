#include "balmodels.h"

#include <accounts/accountcode.h>
#include <app/dates.h>
#include <app/format.h>

#include <QPainter>
#include <QWidget>

namespace ledger {

QVariant amount(app::Money m, int role)
{
    if (role == Qt::UserRole)
        return m.centavos();
    if (role == Qt::DisplayRole)
        return app::formatMoney(m.abs());
    return {};
}

QColor signColour(qint64 c, bool selected)
{
    if (selected)
        return c > 0 ? QColor(0x99C6EA) : c < 0 ? QColor(0xFF9595) : QColor(Qt::white);
    return c > 0 ? QColor(Qt::blue) : c < 0 ? QColor(Qt::red) : QColor(Qt::black);
}

bool selectedInFocus(const QStyleOptionViewItem &option)
{
    return (option.state & QStyle::State_Selected) && option.widget && option.widget->hasFocus();
}

void drawCell(QPainter *p, const QStyleOptionViewItem &option, const QString &text,
              Qt::Alignment align)
{
    const QRect r = option.rect.adjusted(2, 3, -2, 0);
    p->drawText(r, int(align | Qt::AlignTop),
                option.fontMetrics.elidedText(text, Qt::ElideRight, r.width()));
}

void BcteModel::setRows(std::vector<BcteRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void BcteModel::setValueTitles(const QStringList &titles)
{
    for (int i = 0; i < 3; ++i)
        m_titles[3 + i] = titles.value(i);
    emit headerDataChanged(Qt::Horizontal, 3, 5);
}

QVariant BcteModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const BcteRow &r = m_rows[size_t(index.row())];
    switch (index.column()) {
    case 0:
        return role == Qt::DisplayRole ? QVariant(r.ExtCta) : QVariant();
    case 1:
        return role == Qt::DisplayRole && r.Cta > 0 ? QVariant(r.Cta) : QVariant();
    case 2:
        return role == Qt::DisplayRole ? QVariant(r.TituloDescr) : QVariant();
    case 3:
        return amount(r.SaldoAnt, role);
    case 4:
        return amount(r.VariacaoSaldo, role);
    case 5:
        return amount(r.SaldoAtual, role);
    }
    return {};
}

QVariant BcteModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole)
        return m_titles.value(section);
    return {};
}

void LctosModel::setRows(std::vector<LctoRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QVariant LctosModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const LctoRow &r = m_rows[size_t(index.row())];
    if (index.column() == Valor)
        return amount(r.Valor, role);
    if (role == Qt::UserRole && index.column() == Cta)
        return r.Cta;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Codigo:
        return app::formatNumber(r.Codigo, "000000");
    case Data:
        return app::formatDate(r.Data);
    case Dest:
        return r.Dest;
    case Orig:
        return r.Orig;
    case Hsto:
        return r.Hsto;
    case NumDoc:
        return r.NumDoc;
    case Cta:
        return r.Cta;
    }
    return {};
}

QVariant LctosModel::headerData(int section, Qt::Orientation o, int role) const
{
    static const QStringList titles{"Código", "Data",      "Dest",    "Orig",
                                    "Valor ", "Histórico", "Num Doc", "Cta"};
    if (o == Qt::Horizontal && role == Qt::DisplayRole)
        return titles.value(section);
    return {};
}

void MapaModel::setRows(std::vector<MapaRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void MapaModel::setYear(int year)
{
    m_titles = mapColumnTitles(year);
    emit headerDataChanged(Qt::Horizontal, 0, 27);
}

QVariant MapaModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const MapaRow &r = m_rows[size_t(index.row())];
    const int c = index.column();
    if (c == 0)
        return role == Qt::DisplayRole ? QVariant(r.ExtCta) : QVariant();
    if (c == 1)
        return role == Qt::DisplayRole && r.Cta > 0 ? QVariant(r.Cta) : QVariant();
    if (c == 2)
        return role == Qt::DisplayRole ? QVariant(r.TituloDescr) : QVariant();
    if (c == 3)
        return amount(r.Sld0, role);
    // Column 2k+2 is the movement of month k, 2k+3 its closing balance.
    if (c % 2 == 0)
        return amount(r.Mov[size_t((c - 2) / 2 - 1)], role);
    return amount(r.Sld[size_t((c - 3) / 2 - 1)], role);
}

QVariant MapaModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole)
        return m_titles.value(section);
    return {};
}

void BalRowDelegate::paint(QPainter *p, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    const QString code = index.sibling(index.row(), 0).data().toString();
    if (code.isEmpty()) {
        QStyledItemDelegate::paint(p, option, index);
        return;
    }
    const bool selected = selectedInFocus(option);
    // The previous years' result is painted as the cash group it belongs to.
    const accounts::RowColours c = accounts::rowColours(code == "3" ? "0" : code, selected);
    p->save();
    p->fillRect(option.rect, QColor(QRgb(c.background)));
    p->setFont(option.font);
    if (index.column() >= 3) {
        p->setPen(signColour(index.data(Qt::UserRole).toLongLong(), selected));
        drawCell(p, option, index.data().toString(), Qt::AlignRight);
    } else {
        p->setPen(QColor(QRgb(c.font)));
        drawCell(p, option, index.data().toString(),
                 index.column() == 1 ? Qt::AlignRight : Qt::AlignLeft);
    }
    p->restore();
}

void LctoRowDelegate::paint(QPainter *p, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const QModelIndex ctaIndex = index.sibling(index.row(), LctosModel::Cta);
    const int cta = ctaIndex.data(Qt::UserRole).toInt();
    const int group = cta < 100 ? 0 : cta < 200 ? 1 : cta < 300 ? 2 : -1;
    if (group < 0) {
        QStyledItemDelegate::paint(p, option, index);
        return;
    }
    static const QRgb font[] = {0x2C492C, 0x000080, 0x800000};
    static const QRgb back[] = {0xECF4EC, 0xDFEDF9, 0xFFE6E6};
    static const QRgb strong[] = {0x437043, 0x000080, 0x800000};
    const bool selected = selectedInFocus(option);
    p->save();
    p->fillRect(option.rect, QColor(selected ? strong[group] : back[group]));
    p->setFont(option.font);
    const int col = index.column();
    if (col == LctosModel::Valor)
        p->setPen(signColour(index.data(Qt::UserRole).toLongLong(), selected));
    else
        p->setPen(selected ? QColor(Qt::white) : QColor(font[group]));
    const Qt::Alignment align = col == LctosModel::Data ? Qt::AlignHCenter
                                : (col == LctosModel::Cta || col == LctosModel::Dest ||
                                   col == LctosModel::Orig || col == LctosModel::Valor)
                                    ? Qt::AlignRight
                                    : Qt::AlignLeft;
    drawCell(p, option, index.data().toString(), align);
    p->restore();
}

} // namespace ledger
