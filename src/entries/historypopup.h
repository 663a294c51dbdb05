// The drop-down list of earlier histories under the entry editor's history field (F3): a popup
// list that hands back the text the user picks. The items are the editor's shared list.
#pragma once

#include <QFrame>

#include <functional>

class QLineEdit;
class QListView;
class QStringListModel;

namespace entries {

class HistoryPopup : public QFrame
{
    Q_OBJECT
public:
    explicit HistoryPopup(QWidget *parent = nullptr);

    void setItems(const QStringList &items);
    // The items read by `source` when they are first needed (opening the list, items(),
    // prepend()), so that a book of a million entries does not read its histories until the list
    // is asked for. Replaces the items.
    void setItemsSource(std::function<QStringList()> source);
    QStringList items() const;
    void prepend(const QString &item);

    // Opens under `field`, as wide as it, on the item equal to its text when there is one.
    void showUnder(QLineEdit *field);

Q_SIGNALS:
    void chosen(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose();
    void load() const;
    QListView *m_list;
    QStringListModel *m_model;
    mutable std::function<QStringList()> m_source; // until the items are read
};

} // namespace entries
