#include "screenparts.h"

#include <accounts/gridsetup.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace ledger {

QLabel *bandLabel(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setStyleSheet(
        "QLabel { background: #77B077; color: #ECF4EC; font-weight: bold; padding: 2px; }");
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPushButton *screenButton(const char *name, const QString &caption, const QString &hint,
                          QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QComboBox *chooserBox(const char *name, const QStringList &items, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    return c;
}

QTableView *accountGrid(const char *name, QWidget *parent)
{
    auto *g = new QTableView(parent);
    g->setObjectName(name);
    accounts::setUpReadOnlyGrid(g);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setShowGrid(false);
    return g;
}

} // namespace ledger
