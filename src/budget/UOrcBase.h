// TFormOrcBase, the generation dialog: which month the budget is generated from (a copy of its
// budget or its realised values) and by what percentage it is raised or lowered. It lives as long
// as the budget screen and keeps its choices between uses; the generation itself is the caller's.
#pragma once

#include "generation.h"

#include <QDate>
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace entries {
class TFormData;
}

namespace budget {

class TFormOrcBase : public QDialog
{
    Q_OBJECT
public:
    explicit TFormOrcBase(QWidget *parent = nullptr);

    // Both source months (first days), as when the budget screen opens or changes month.
    void setSourceMonths(const QDate &month);
    QDate copyMonth() const { return m_copyMonth; }
    QDate realisedMonth() const { return m_realisedMonth; }
    Source source() const;
    QDate sourceMonth() const { return source() == Source::Copy ? m_copyMonth : m_realisedMonth; }
    // After OK: the checked factor.
    Factor factor() const { return m_factor; }

    void accept() override; // BtOk: the percentage checks

    // The period dialog the month buttons open (tests answer it).
    entries::TFormData &periodDialog() { return *m_periodDialog; }

    QGroupBox *Radio1;
    QRadioButton *RadioCopia, *RadioRealizado;
    QPushButton *BtPeriodoCopia, *BtPeriodoRealizado;
    QCheckBox *Check1, *Check2;
    QLineEdit *Edit1, *Edit2;
    QPushButton *BtOk, *BtCancelar;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void chooseMonth(QPushButton *button, QRadioButton *item, QDate &month);
    void showMonths();

    entries::TFormData *m_periodDialog;
    QDate m_copyMonth, m_realisedMonth;
    Factor m_factor;
};

} // namespace budget
