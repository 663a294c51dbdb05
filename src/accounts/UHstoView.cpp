#include "UHstoView.h"

#include "gridsetup.h"

#include <app/application.h>

#include <data/UDM.h>
#include <data/gridlink.h>
#include <data/tablemodel.h>

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

namespace accounts {

struct TFormHstoView::Private : QObject
{
    TFormHstoView *q;
    data::TDM &dm;
    data::TableModel *model = nullptr;
    QTableView *grid = nullptr;
    data::GridTableLink *link = nullptr;

    Private(TFormHstoView *view, data::TDM &m) : q(view), dm(m) {}
    void choose();

protected:
    // Enter in the grid is a choice; every other key keeps its grid meaning.
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        choose();
        return true;
    }
};

void TFormHstoView::Private::choose()
{
    const QModelIndex i = grid->currentIndex();
    if (!i.isValid())
        return;
    link->moveTable(i.row());
    q->Tag = 1;
    q->accept();
}

TFormHstoView::TFormHstoView(data::TDM &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), d(new Private(this, dm))
{
    setObjectName("TFormHstoView");
    setStyleSheet("QDialog#TFormHstoView { border: 1px solid #437043; }");
    d->model = new data::TableModel(dm.TbHsto,
                                    {gridColumn("Codigo", "Cod", Qt::AlignRight | Qt::AlignVCenter),
                                     gridColumn("Descricao", "Histórico")},
                                    this);
    d->grid = new QTableView;
    d->grid->setObjectName("DBGrid1");
    d->grid->setModel(d->model);
    d->grid->horizontalHeader()->hide();
    setUpReadOnlyGrid(d->grid);
    d->grid->setColumnWidth(0, 40);
    d->grid->installEventFilter(d);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->addWidget(d->grid);
    resize(460, 260);

    connect(d->grid, &QTableView::clicked, this, [this](const QModelIndex &i) {
        if (i.isValid())
            d->choose();
    });
    // Only while the pop-up is up: a grid that resets behind another screen's editor must
    // never move the record that editor holds.
    d->link = new data::GridTableLink(d->grid, dm.TbHsto, [this] { return isVisible(); });
}

TFormHstoView::~TFormHstoView()
{
    delete d;
}

void TFormHstoView::showAt(const QPoint &screenPos)
{
    move(screenPos);
    d->link->followTable();
    d->grid->setFocus();
    exec();
}

} // namespace accounts
