// The search panel the account grids share (the trial balance, the year map and the budget):
// "Localizar Conta ou Cód Red:" with its edit and button, opened by a digit typed in the grid,
// the messages about the typed text, and placing the grid on the row found, bringing back every
// account and level when the view hides it.
#pragma once

#include "search.h"

#include <QString>

#include <functional>
#include <optional>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace ledger {

// The hidden panel, with its edit (at most 7 characters, digits and separators, "," taken as
// ".") and button.
QFrame *findPanel(const char *name, const char *editName, const char *buttonName, QLineEdit *&edit,
                  QPushButton *&bt, QWidget *parent);
// Watches `grid` and the panel's `edit`: a digit typed in the grid opens the panel with it while
// `canOpen()` (a view is shown), Esc in the edit gives the focus back to the grid, and the panel
// hides when the edit loses the focus, except to a message about the search.
void watchFindPanel(QTableView *grid, QFrame *panel, QLineEdit *edit,
                    std::function<bool()> canOpen);
// Shows the panel with `start` in the edit and the caret after it.
void showFindPanel(QFrame *panel, QLineEdit *edit, const QString &start);
// The search key of the panel's text; empty (after its message) when there is nothing to look
// for.
std::optional<SearchKey> readSearch(QLineEdit *edit);
// Selects the row of code `found` (column 0) in `grid` (empty: the not-found message of `key`); a
// row hidden by the view brings both choosers back to their first items and runs `reapply`
// first.
void locate(QTableView *grid, QComboBox *grupo, QComboBox *nivel, const SearchKey &key,
            const QString &found, const std::function<void()> &reapply);

} // namespace ledger
