#include "UHstoView.h"

#include "gridsetup.h"

#include <app/application.h>

#include <data/UDM.h>
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
    bool syncing = false; // the grid follows the table: do not move the table back

    Private(TFormHstoView *view, data::TDM &m) : q(view), dm(m) {}
    void followTable();
    void moveTable(int row);
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

void TFormHstoView::Private::followTable()
{
    const data::Table *t = dm.TbHsto;
    if (t->recNo() <= 0)
        return;
    syncing = true;
    grid->setCurrentIndex(model->index(t->recNo() - 1, 0));
    syncing = false;
}

// Only while the pop-up is up and the histories are browsing: a grid that resets behind
// another screen's editor must never move the record that editor holds.
void TFormHstoView::Private::moveTable(int row)
{
    data::Table *t = dm.TbHsto;
    if (syncing || !q->isVisible() || t->state() != data::Table::State::Browse)
        return;
    app::guarded([t, row] { t->moveTo(row); });
}

void TFormHstoView::Private::choose()
{
    const QModelIndex i = grid->currentIndex();
    if (!i.isValid())
        return;
    moveTable(i.row());
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
    connect(d->grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) {
                if (i.isValid())
                    d->moveTable(i.row());
            });
    connect(dm.TbHsto, &data::Table::currentChanged, this, [this] {
        if (isVisible())
            d->followTable();
    });
}

TFormHstoView::~TFormHstoView()
{
    delete d;
}

void TFormHstoView::showAt(const QPoint &screenPos)
{
    move(screenPos);
    d->followTable();
    d->grid->setFocus();
    exec();
}

} // namespace accounts
