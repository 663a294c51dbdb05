// The entry editor TFormFinEdit: types or changes one double-entry entry, the current record of
// dm.TbFin, which the caller has put in insert or edit state. It checks and posts the entry
// (through the session's balance cache) or cancels it; it never recomputes the balances (the caller
// does, when okTag() is 1).
//
// States: opened (record in insert/edit state) --BtOk, all checks pass, post--> closed, Accepted,
// okTag 1; --BtCancel or Esc--> record cancelled, closed, Rejected, okTag 0. A failed check or
// post keeps it open with the record still in insert/edit state. View-only (setEditable(false)):
// BtOk closes as Cancel does, without writing.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace accounts {
class TFormCtaView;
class TFormHstoView;
} // namespace accounts

namespace data {
class TDM;
}

namespace entries {

class Session;

class TFormFinEdit : public QDialog
{
    Q_OBJECT
public:
    // The look-up pop-ups are the program's shared ones; either may be null (no look-up). The
    // session is the signed-in user's (its period shades the date, its cache takes the post)
    // and must outlive the editor; dm.TbFin is the session's entries table.
    TFormFinEdit(data::TDM &dm, Session &session, accounts::TFormCtaView *ctaView,
                 accounts::TFormHstoView *hstoView, QWidget *parent = nullptr);
    ~TFormFinEdit() override;

    // Set by the caller before showing, with the caption (setWindowTitle): an editable entry
    // (data panel enabled, BtOk "&Gravar") or one only shown (panel disabled, BtOk "&OK").
    void setEditable(bool editable);
    bool isEditable() const;
    // 1 after the entry was posted, 0 otherwise (the result flag of BtOk).
    int okTag() const;

    // The earlier histories of the user (F3 list), latest first; each save adds its history on
    // top. The caller fills it at sign-in (earlierHistories()).
    void setHistoryList(const QStringList &items);
    // The list read by `source` when it is first needed (see HistoryPopup::setItemsSource).
    void setHistorySource(std::function<QStringList()> source);
    QStringList historyList() const;

    void reject() override; // Esc and BtCancel: the pending insert or edit is cancelled

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BtOkClick();
    void stepFocus(bool next) { focusNextPrevChild(next); }

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace entries
