#include "UCtaView.h"

#include "ctadelegate.h"

#include "gridsetup.h"

#include <app/application.h>

#include <data/UDM.h>
#include <data/gridlink.h>
#include <data/tablemodel.h>

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace accounts {

struct TFormCtaView::Private
{
    TFormCtaView *q;
    data::TDM &dm;
    data::TableModel *model = nullptr;
    QTableView *grid = nullptr;
    QCheckBox *check1 = nullptr;
    data::GridTableLink *link = nullptr;

    void applyFilter();
    void choose();
};

// The check-box rule: headings shown or not, staying on the account the list was on.
void TFormCtaView::Private::applyFilter()
{
    data::Table *t = dm.TbCta;
    const QString remembered = t->asString("CodCta");
    QString filter = q->FiltroCta;
    if (!check1->isChecked())
        // Only the analytical accounts take entries.
        filter = filter.isEmpty() ? QString("(CodRed>0)") : filter + " and (CodRed>0)";
    t->setFilter(filter);
    t->findNearest({remembered});
    link->followTable();
    grid->setFocus();
}

void TFormCtaView::Private::choose()
{
    const QModelIndex i = grid->currentIndex();
    if (!i.isValid())
        return;
    link->moveTable(i.row());
    q->Tag = 1;
    q->accept();
}

// Enter in the grid is a choice; every other key keeps its grid meaning.
class CtaViewEnterFilter : public QObject
{
public:
    CtaViewEnterFilter(std::function<void()> choose, QObject *parent)
        : QObject(parent), m_choose(std::move(choose))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        m_choose();
        return true;
    }

private:
    std::function<void()> m_choose;
};

TFormCtaView::TFormCtaView(data::TDM &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), d(new Private{this, dm})
{
    setObjectName("TFormCtaView");
    setStyleSheet("QDialog#TFormCtaView { border: 1px solid #437043; }");
    d->model = new data::TableModel(dm.TbCta,
                                    {gridColumn("CodCta", "Código"),
                                     gridColumn("CodRed", "Red", Qt::AlignRight | Qt::AlignVCenter),
                                     gridColumn("Descricao", "Descrição")},
                                    this);
    d->grid = new QTableView;
    d->grid->setObjectName("DBGrid1");
    d->grid->setModel(d->model);
    d->grid->setItemDelegate(new CtaRowDelegate(1, d->grid));
    d->grid->horizontalHeader()->hide();
    setUpReadOnlyGrid(d->grid);
    d->grid->setColumnWidth(0, 64);
    d->grid->setColumnWidth(1, 36);
    d->grid->setShowGrid(false);
    d->grid->installEventFilter(new CtaViewEnterFilter([this] { d->choose(); }, this));

    d->check1 = new QCheckBox("Visualizar também as contas de título (1º e 2º nível)");
    d->check1->setObjectName("Check1");
    auto *close = new QPushButton("x");
    close->setObjectName("BtFechar");
    close->setFixedSize(20, 20);
    close->setFocusPolicy(Qt::NoFocus);

    auto *top = new QHBoxLayout;
    top->addWidget(d->check1, 1);
    top->addWidget(close);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(3, 3, 3, 3);
    outer->setSpacing(3);
    outer->addLayout(top);
    outer->addWidget(d->grid, 1);
    resize(420, 300);

    connect(close, &QPushButton::clicked, this, &TFormCtaView::reject);
    connect(d->check1, &QCheckBox::toggled, this,
            [this] { app::guarded([this] { d->applyFilter(); }); });
    connect(d->grid, &QTableView::clicked, this, [this](const QModelIndex &i) {
        if (i.isValid())
            d->choose();
    });
    // Only while the pop-up is up: a grid that resets behind another screen's editor must
    // never move the record that editor holds.
    d->link = new data::GridTableLink(d->grid, dm.TbCta, [this] { return isVisible(); });
}

TFormCtaView::~TFormCtaView()
{
    delete d;
}

void TFormCtaView::showAt(const QPoint &screenPos)
{
    move(screenPos);
    const bool ready = app::guarded([this] {
        data::Table *t = d->dm.TbCta;
        t->setFilter({});
        // An empty starting code means the top of the list (as a key it would be null).
        if (CodCtaIni.isEmpty())
            t->first();
        else
            t->findNearest({CodCtaIni});
        d->applyFilter();
    });
    if (!ready)
        return;
    exec();
}

} // namespace accounts
