// The account editor TFormCtaEdit: code, reduced code and name of the current TbCta record,
// which the chart screen has put in insert or edit state. Saving runs every check of the chart
// (and renumbers entries and budget when an account in use gets another reduced code); "Cancelar"
// and Esc cancel the pending record.
#pragma once

#include "accountcheck.h"

#include <app/leavechecks.h>

#include <QDialog>

namespace data {
class TDM;
}

namespace accounts {

class FieldEdit;

class TFormCtaEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TFormCtaEdit(data::TDM &dm, QWidget *parent = nullptr);

    // Filled by the opener before exec(): CodCtaAnt, CodRedAnt, TemLancamentos, TemOrcamento,
    // and the group of the chart screen's tab (the editor's Tag) in Context.group.
    CtaEditContext Context;

    // Shows the editor modally over the main window with the focus in the code field; the
    // caret goes after a new account's "G." prefix.
    int exec() override;
    void reject() override;
    void setVisible(bool visible) override;

private:
    void BtOkClick();
    void save();
    // The check on leaving the code field; true when the field may be left.
    bool checkField(QWidget *field);
    void focusField(CtaField f);
    CtaValues typedValues() const;

    data::TDM &m_dm;
    app::LeaveChecks m_leave;
    FieldEdit *EditCta;
    FieldEdit *EditCodR;
    FieldEdit *EditDescr;
    QWidget *BtOk;
    QWidget *BtCancel;
};

} // namespace accounts
