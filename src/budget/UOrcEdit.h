// TFormOrcEdit, "Orçar Conta": one account's budgeted value for the month, typed as 0 or more.
// The dialog checks the text and hands the typed value to its caller's save (which applies the
// account's sign and writes it); it stores nothing itself. Created for each value.
#pragma once

#include <app/money.h>

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace budget {

class TFormOrcEdit : public QDialog
{
    Q_OBJECT
public:
    // `account`: LabelCta's line; `value`: EditValor's starting text (empty for an account
    // without value). `save` runs on a valid value; when it throws, the dialog stays open.
    TFormOrcEdit(const QString &account, const QString &value,
                 std::function<void(app::Money typed)> save, QWidget *parent = nullptr);

    void accept() override; // BtOk: the checks, then the save

    QLabel *LabelCta;
    QLineEdit *EditValor;
    QPushButton *BtOk, *BtCancel;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(app::Money)> m_save;
};

} // namespace budget
