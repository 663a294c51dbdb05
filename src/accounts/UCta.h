// The chart screen TFormCta ("Plano de Contas"): the chart one group at a time on three tabs,
// with including, editing and deleting accounts through TFormCtaEdit, the CSV listing and the
// chart's exchange file. The grid shows the data module's group queries, reopened after every
// change; the changes themselves go through TbCta.
#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;

namespace data {
class TDM;
class Query;
} // namespace data

namespace accounts {

class QueryModel;
class TFormCtaEdit;

class TFormCta : public QDialog
{
    Q_OBJECT
public:
    explicit TFormCta(data::TDM &dm, QWidget *parent = nullptr);
    ~TFormCta() override;

    // Opens the group lists, shows the cash tab with the grid focused, and runs modally.
    // Closing the screen closes the group lists.
    int exec() override;
    void done(int result) override;

    TFormCtaEdit *editor() const { return m_editor; }

private:
    QWidget *makeGroupPage(int group);
    QWidget *makeButtons();
    void PageCtaChange(int index);
    void BtNovoClick();
    void BtEditarClick();
    void BtExcluirClick();
    void BtSaveCSVClick();
    void BtPrintClick();
    void BtExportClick();
    void BtImportClick();
    void runGuarded(void (TFormCta::*work)());
    void includeAccount();
    void editAccount();
    void deleteAccount();
    void saveCsv();
    void importChartFile();

    int group() const;
    data::Query *groupQuery(int group) const;
    QString currentCode() const;
    void reopenGroup(int group, const QString &code);
    void refreshGroup();
    void showCount(int group);
    void selectQueryRow();

    data::TDM &m_dm;
    TFormCtaEdit *m_editor;
    QTabWidget *PageCta;
    QTableView *DBGridCta;
    QueryModel *m_model;
    std::array<QLabel *, 3> m_counts{}; // RecNoCirc, RecNoEntra, RecNoSai
    QPushButton *BtNovo;
};

} // namespace accounts
