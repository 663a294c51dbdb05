// What the entry search and the upcoming entries share: the result grid of found entries with its
// count label, the report title and the "Salvar CSV", "Imprimir" and "Fechar" buttons, the
// closing of the result when the criteria are entered, and the choice of an entry (double click
// or Enter), which closes the screen. Each screen adds its criteria panel and its texts.
#pragma once

#include "search.h"

#include <QDialog>

#include <optional>
#include <utility>

class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QPushButton;
class QTableView;

namespace data {
class TDM;
}

namespace entries {

class FoundEntriesModel;

class FoundEntriesScreen : public QDialog
{
    Q_OBJECT
public:
    // What tells the two screens apart.
    struct Texts
    {
        QString caption, reportTitles, report, dataView;
        QString nothingToPrint, nothingToSave, csvName, csvColumns, csvDone;
        Qt::Alignment codigoAlignment;
        bool keepResultOnClose = true; // the search keeps it; the upcoming entries do not
    };
    // The code of the entry chosen in the grid when the screen closed with one; empty else.
    std::optional<qint64> chosen() const { return m_chosen; }
    // Switching user: the result is dropped, so the next showing starts anew.
    void closeResult();
    bool resultOpen() const { return m_open; }
    // "&Pesquisar": the criteria's query shown, or the refusal told with the focus on its field.
    void BtPesquisarClick();
    const std::vector<FoundEntry> &rows() const;
    ~FoundEntriesScreen() override;
    int exec() override
    {
        m_chosen.reset();
        return QDialog::exec();
    }

protected:
    FoundEntriesScreen(data::TDM &dm, Texts texts, QWidget *parent);

    // Built by the screen, under `criteria()` (a panel of the dialog colour).
    QFrame *criteria() const { return m_criteria; }
    QPushButton *BtPesquisar = nullptr;
    QTableView *DBGridFin = nullptr;
    QLabel *LabelNR = nullptr;
    QComboBox *ComboTit = nullptr;

    // Runs `q` and shows its rows (the last one selected, or row `keepRow` when given, clamped to
    // the last); the grid takes the focus and "&Pesquisar" stops being the default button.
    void showResult(const SearchQuery &q, std::optional<int> keepRow = {});
    // What the criteria ask for, the field each refusal sends the focus to, and the period the
    // listing's title line names (none when the period is not a criterion).
    virtual std::variant<SearchQuery, SearchProblem> query() const = 0;
    virtual QWidget *fieldOf(SearchField f) const = 0;
    virtual std::optional<std::pair<QDate, QDate>> listedPeriod() const = 0;
    // The query of the criteria, or empty after the refusal has been told.
    std::optional<SearchQuery> currentQuery();
    // A date field of the criteria, "dd/MM/yyyy" with its calendar.
    QDateEdit *dateEdit(const char *name);
    // Re-runs the open result keeping the selected row (the data may have changed meanwhile).
    void rerun();

    bool eventFilter(QObject *watched, QEvent *event) override;
    // Each showing: placed over the main window, then the screen's own opening.
    void showEvent(QShowEvent *e) override;
    virtual void opening() = 0;

    data::TDM &m_dm;

private:
    void buildResult();
    void chooseCurrent();
    void BtImprimirClick();
    void BtSaveCSVClick();
    QString csvTitleOf() const;
    int currentRow() const;

    Texts m_texts;
    FoundEntriesModel *m_model = nullptr;
    QFrame *m_criteria = nullptr;
    bool m_open = false;
    std::optional<qint64> m_chosen;
    SearchQuery m_query;
    // Ended in the destructor: hiding the dialog moves the focus, and the slot must not run on a
    // screen that is half destroyed.
    QMetaObject::Connection m_focusWatch;
};

} // namespace entries
