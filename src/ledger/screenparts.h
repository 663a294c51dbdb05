// The pieces the account screens of the books (the balance screen and the budget) are built
// from, so they look and behave alike: the green title band, buttons that never act as default,
// the view choosers and the read-only account grid.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace ledger {

QLabel *bandLabel(const char *name, QWidget *parent); // plain text, white on green, bold
QPushButton *screenButton(const char *name, const QString &caption, const QString &hint,
                          QWidget *parent);
QComboBox *chooserBox(const char *name, const QStringList &items, QWidget *parent);
// Read-only, whole rows, one at a time, no grid lines.
QTableView *accountGrid(const char *name, QWidget *parent);

} // namespace ledger
