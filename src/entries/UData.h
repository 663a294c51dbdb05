// The period dialog TFormData: a month, a free interval or a year, on three pages of which the
// caller shows a chosen set. The dialog returns the chosen period (chosen()); what the caller
// does with it (the main window's month, a balance or budget period) is the caller's.
#pragma once

#include "period.h"

#include <QDate>
#include <QDialog>

#include <memory>

namespace entries {

class TFormData : public QDialog
{
    Q_OBJECT
public:
    explicit TFormData(QWidget *parent = nullptr);
    ~TFormData() override;

    // Set before showing. The page set: 1 month, 2 interval, 3 year, 4 month and interval,
    // 5 interval and year, 6 month and year, any other value all three.
    void setPageSet(int pageSet);
    int pageSet() const { return m_pageSet; }
    // Before showing, the page shown first: 2 interval, 3 year, anything else month (a page the
    // page set hides gives way to the first page shown). After OK, the page that produced
    // chosen(): 1 month, 2 interval, 3 year.
    int Tag = 1;

    // After OK, the period chosen (PerIni..PerFim): the month, the interval or the year. After
    // Cancel it means nothing; it is the dialog's own, so nothing outside changes on Cancel.
    DateRange chosen() const { return m_chosen; }

    // The pickers' dates (the main window sets only the month picker).
    void setMonthDate(const QDate &d);
    void setIntervalDates(const QDate &ini, const QDate &fim);
    void setYearDate(const QDate &d);

    void accept() override; // OK: refuses an interval whose end comes before its start
    void reject() override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void BtPriorClick();
    void BtNextClick();
    void yearStep(int delta);

    struct Private;
    std::unique_ptr<Private> d;
    int m_pageSet = 0;
    DateRange m_chosen;
};

} // namespace entries
