// The history editor TFormHstoEdit: code and text of the current TbHsto record, which the list
// screen has put in insert or edit state. Saving refuses an empty code or text and a code that
// another history has; "Cancelar" and Esc cancel the pending record.
#pragma once

#include <QDialog>

namespace data {
class TDM;
}

namespace accounts {

class FieldEdit;

class TFormHstoEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TFormHstoEdit(data::TDM &dm, QWidget *parent = nullptr);

    // Shows the editor modally over the main window with the focus in the code field.
    int exec() override;
    void reject() override;

private:
    void BtOkClick();
    void save();

    data::TDM &m_dm;
    FieldEdit *EditCodR;
    FieldEdit *EditDescr;
};

} // namespace accounts
