// The asset editor TFormBensEdit: the asset's name, notes, category, acquisition date and value,
// and the list of its value changes, which stay pending here until the asset is saved (then
// written with it in one transaction) or are dropped with a cancel.
#pragma once

#include "assetrules.h"

#include <app/leavechecks.h>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace data {
class TDM;
}

namespace assets {

class ChangesModel;
class TFormBensCatView;
class TFormBensVlrEdit;

class TFormBensEdit : public QDialog
{
    Q_OBJECT
public:
    TFormBensEdit(data::TDM &dm, TFormBensCatView *catView, QWidget *parent = nullptr);
    ~TFormBensEdit() override;

    // Precondition: TbBens is inserting or editing the asset. Shows it under `title`; true when
    // it was saved (the save flag, also the Tag of BtOk), false after a cancel, which cancels the
    // table's insert or edit and drops the pending changes.
    bool run(const QString &title);

    TFormBensVlrEdit *changeEditor() const { return m_vlrEdit; }
    const std::vector<ValueChange> &pendingChanges() const { return m_changes; }

    QLineEdit *EditDescr, *EditObs, *EditCat, *EditDt, *EditValor;
    QLabel *LabelCodigo, *LbCat, *LabelValorTotal;
    QTableView *DBGrid1;
    QPushButton *BtNovo, *BtEditar, *BtExcluir, *BtViewCat, *BtOk;

    void AtualizarValorTotal();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool leaveField(QWidget *field);
    void placeAfterEdit(qint64 codigo);
    int currentChange() const;
    void focusRefusal(const Refusal &r);
    bool checkCategory();
    void openCatView();
    void BtNovoClick();
    void BtEditarClick();
    void BtExcluirClick();
    void BtOkClick();
    void showChanges(int current);

    data::TDM &m_dm;
    TFormBensCatView *m_catView;
    TFormBensVlrEdit *m_vlrEdit;
    ChangesModel *m_model;
    app::LeaveChecks m_leave;
    std::vector<ValueChange> m_changes;
    app::Money VlrTotalBem;
    qint64 m_newCode = 0;
};

} // namespace assets
