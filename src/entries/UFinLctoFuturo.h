// TFormFinLctoFuturo, "Próximos Dias [Lançamentos Futuros]": the entries of the next days as the
// user's preferences set them (ProxDias, IncluirHoje), the window's dates and order changeable
// while the screen is open, printed or saved, and the chosen entry handed back. Each showing
// takes the window from today again and searches at once.
#pragma once

#include "foundentries.h"

class QComboBox;
class QDateEdit;

namespace entries {

class TFormFinLctoFuturo : public FoundEntriesScreen
{
    Q_OBJECT
public:
    explicit TFormFinLctoFuturo(data::TDM &dm, QWidget *parent = nullptr);

protected:
    void opening() override;
    std::variant<SearchQuery, SearchProblem> query() const override;
    QWidget *fieldOf(SearchField f) const override;
    std::optional<std::pair<QDate, QDate>> listedPeriod() const override;

private:
    void buildCriteria();

    QDateEdit *EditDtMin = nullptr, *EditDtMax = nullptr;
    QComboBox *ComboOrder = nullptr;
};

} // namespace entries
