// The value-change editor TFormBensVlrEdit: the kind ("Motivo "), date, amount and note of one
// change of an asset's value. It edits a plain change; the asset editor keeps it pending until
// the asset is saved.
#pragma once

#include "assetrules.h"

#include <app/leavechecks.h>

#include <QDialog>

class QButtonGroup;
class QLineEdit;

namespace assets {

class TFormBensVlrEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TFormBensVlrEdit(QWidget *parent = nullptr);
    ~TFormBensVlrEdit() override;

    // Shows `c` under `title`; on "&Gravar" with valid fields `c` takes them and true returns.
    bool editChange(ValueChange &c, const QString &title);

    QLineEdit *EditDt, *EditValor, *EditObs;
    QButtonGroup *Motivo;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BtOkClick();
    bool leaveField(QWidget *field);

    app::LeaveChecks m_leave;
    ValueChange m_change;
};

} // namespace assets
