#include "UBensCatView.h"

#include "assetgrid.h"

#include <accounts/gridsetup.h>
#include <app/format.h>
#include <data/UDM.h>
#include <data/gridlink.h>
#include <data/tablemodel.h>

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace assets {

TFormBensCatView::TFormBensCatView(data::TDM &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_dm(dm)
{
    setObjectName("TFormBensCatView");
    setStyleSheet("QDialog#TFormBensCatView { border: 1px solid #437043; }");
    m_model = new data::TableModel(dm.TbBensCat, categoryColumns("Cat", "Categoria"), this);
    DBGrid1 = new QTableView;
    DBGrid1->setObjectName("DBGrid1");
    setUpCategoryGrid(DBGrid1, m_model);
    DBGrid1->horizontalHeader()->hide();
    DBGrid1->setColumnWidth(0, 30);
    DBGrid1->installEventFilter(this);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->addWidget(DBGrid1);
    resize(260, 200);
    connect(DBGrid1, &QTableView::clicked, this, [this](const QModelIndex &i) {
        if (i.isValid())
            choose();
    });
    m_link = new data::GridTableLink(DBGrid1, dm.TbBensCat, [this] { return m_up; });
}

bool TFormBensCatView::eventFilter(QObject *, QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(e)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    choose();
    return true;
}

void TFormBensCatView::choose()
{
    const QModelIndex i = DBGrid1->currentIndex();
    if (!i.isValid())
        return;
    m_link->moveTable(i.row());
    Tag = 1;
    accept();
}

std::optional<qint64> TFormBensCatView::pick(qint64 codCatIni, QPoint at)
{
    data::Table *t = m_dm.TbBensCat;
    t->setFilter({});
    t->findNearest({codCatIni});
    Tag = 0;
    move(at);
    m_link->followTable();
    DBGrid1->setFocus();
    m_up = true;
    exec();
    m_up = false;
    if (Tag != 1 || t->isEmpty())
        return std::nullopt;
    return t->asInt("CodCat");
}

} // namespace assets
