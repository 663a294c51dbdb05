// TFormMatFinView, the calculators' result window: five pages shown one at a time (the detailed
// loan analysis, the loan schedule, the term-and-rate table with its two-option comparison, the
// savings schedule, the two texts about wealth), opened modally by the calculator screen's
// buttons over the results that screen holds. Prints through the report module, saves the
// schedules and the table as spreadsheets and copies or saves its texts as rich text.
#pragma once

#include "analysistexts.h"
#include "matfinprm.h"
#include "schedule.h"
#include "solve.h"
#include "termratetable.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTableWidget;
class QTextBrowser;
class QFrame;

namespace data {
class TDM;
}

namespace calc {

class ScheduleModel;

// What the last solves of the calculator screen left, read by the result window.
struct MatFinResults
{
    MatFinPrm loan, savings;
    LoanSchedule loanSchedule;
    SavingsSchedule savingsSchedule;
    int loanCsvLayout = 1, savingsCsvLayout = 1;
    QString loanAnalysisHtml; // template 3012..3014 filled
    TermRateTable table;
    TermRateCell fixed; // option 1 of the comparison
};

// Reads a template's rich text from the information base; empty when missing.
QString templateText(data::TDM &dm, int code);

class TFormMatFinView : public QDialog
{
    Q_OBJECT
public:
    enum Page { Analise, Evolucao, Tabela, PoupEvolucao, PoupAlerta, MelhorOp };

    TFormMatFinView(data::TDM &dm, MatFinResults &results, QWidget *parent = nullptr);
    ~TFormMatFinView() override;

    // Sets the page, caption and buttons and shows the window modally (placed by `over`).
    void showPage(Page page, QWidget *over);
    // The same without the modal loop (tests and the benchmark).
    void preparePage(Page page);
    Page page() const { return m_page; }

    // The term-and-rate page: choose a cell (option 2) and fix option 1 at the current cell.
    void selectCell(int rateIndex, int termIndex);
    void fixOption();
    // The search of the schedule pages, as the search button runs it.
    void openSearch(const QString &text);
    void search();
    // The document copied or saved from the current page (header included).
    QString copyHtml() const;
    QString copyTitle() const;

    QStackedWidget *PageMatFinView = nullptr;

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildAnalise();
    QWidget *buildEvolucao();
    QWidget *buildTabela();
    QWidget *buildPoupEvolucao();
    QWidget *buildAlerta();
    QFrame *findPanel(QWidget *page, const char *name, const QString &caption,
                      const char *buttonName, QLineEdit *&edit);
    void fillTableGrid(int view);
    void refreshOptions();
    void refreshRowText();
    void hideButtons();
    void BtCopyClick();
    void BtSaveRTFClick();
    void BtSaveCSVClick();
    void BtPrintClick();
    QTableView *currentGrid() const;

    data::TDM &m_dm;
    MatFinResults &m_r;
    Page m_page = Analise;
    int m_tableView = 1;
    bool m_reactToSelection = false;
    bool m_scrollAnalise = true;
    QString m_copyBuffer; // the term-and-rate page's copy text, as last built

    QTextBrowser *RTFAnaliseEmpr, *RTFTabEvolucao, *RTFOp1, *RTFOp2, *RTFCompara, *RTFPoupAlerta;
    QTableView *DBGrid1, *DBGrid2;
    ScheduleModel *m_loanModel, *m_savModel;
    QTableWidget *StringGrid1;
    QPushButton *BtCopy, *BtSaveRTF, *BtSaveCSV, *BtPrint, *BtFechar;
    QPushButton *BtPrestacao, *BtTotalPago, *BtJurosPagos, *BtOpFixed;
    QLabel *LbValor1, *LbEntrada1, *LbPrazo1, *LbTaxa1, *LbPrestacao1;
    QLabel *LbDeposito2, *LbEntrada2, *LbPrazo2, *LbTaxa2, *LbValor2;
    QLabel *LbValor, *LbEntrada, *PrazoOp1, *TaxaOp1, *PrazoOp2, *TaxaOp2;
    QFrame *PanelFindParc, *PanelFindDep;
    QLineEdit *EditFindParc, *EditFindDep;
    QWidget *m_pages[5] = {};
};

} // namespace calc
