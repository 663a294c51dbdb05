// TFormFinPesq, "Pesquisar Lançamentos": finds the user's entries by any combination of period,
// text, amount, document number, confirmation and accounts (the rules of search.h), lists them
// in the chosen order, prints or saves the list, and closes on the entry chosen. Created once
// per session and reused: the criteria and the result stay between showings.
#pragma once

#include "foundentries.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

namespace accounts {
class TFormCtaView;
}

namespace entries {

class TFormFinPesq : public FoundEntriesScreen
{
    Q_OBJECT
public:
    // `ctaView` is the window's account look-up (may be null in tests without pickers).
    TFormFinPesq(data::TDM &dm, const QDate &dtIni, const QDate &dtFim,
                 accounts::TFormCtaView *ctaView, QWidget *parent = nullptr);

    // The working period "&Limpar" puts back in the two dates.
    void setPeriod(const QDate &dtIni, const QDate &dtFim);

    void BtLimparClick();

protected:
    void opening() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    std::variant<SearchQuery, SearchProblem> query() const override;
    QWidget *fieldOf(SearchField f) const override;
    std::optional<std::pair<QDate, QDate>> listedPeriod() const override;

private:
    void buildCriteria();
    void takeStartingCodes();
    void openPicker(QLineEdit *edit);
    SearchCriteria criteriaTyped() const;

    accounts::TFormCtaView *m_ctaView;
    QDate m_dtIni, m_dtFim;
    QCheckBox *CheckPeriodo = nullptr;
    QDateEdit *EditDtMin = nullptr, *EditDtMax = nullptr;
    QLineEdit *EditTx = nullptr, *EditVlr = nullptr, *EditNDoc = nullptr, *EditCtaDeb = nullptr,
              *EditCtaCred = nullptr, *EditCta = nullptr;
    QComboBox *ComboOK = nullptr, *ComboOrder = nullptr;
    // The code each account field's picker opens at next.
    QString m_codIni[3];
};

} // namespace entries
