// TFormMatFin, "Quorvila :: Cálculos Financeiros": the loan, savings and basic calculators on
// three tabs. Each tab edits its own parameter row (the saved analyses of matfinstore.h), solves
// it through the engine (solve.h), writes the short analysis beside the inputs and opens the
// detailed results in TFormMatFinView.
#pragma once

#include "UMatFinView.h"
#include "solve.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextBrowser;

namespace data {
class TDM;
}

namespace calc {

class TFormMatFin : public QDialog
{
    Q_OBJECT
public:
    explicit TFormMatFin(data::TDM &dm, QWidget *parent = nullptr);
    ~TFormMatFin() override;

    void BtCalcularClick(); // loan solve
    void BtPoupCalcClick(); // savings solve
    void BtCalcClick();     // basic solve
    void BtSaveCSVClick();  // basic calculation export
    void setLoanMode(LoanMode mode);
    void setSavingsMode(SavingsMode mode);
    void setBasicFunction(BasicFunction f);
    void openResult(TFormMatFinView::Page page); // the result buttons

    TFormMatFinView &view() { return *m_view; }
    const MatFinResults &results() const { return m_results; }

    // The tab active when the screen last closed, for the run.
    static int lastTab();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int r) override;

private:
    QWidget *buildLoanTab();
    QWidget *buildSavingsTab();
    QWidget *buildCalcTab();
    QLineEdit *numberField(const char *name, int maxLength = 0);
    void tabChanged(int index);
    void focusTabField();
    void enteringField(int tab, QWidget *field);
    void clearLoanResults();
    void clearSavingsResults();
    void clearBasicResult();
    void gather(int tab);
    void scatter(int tab);
    void storeRow(int tab);
    bool failed(const SolveOutcome &o);

    data::TDM &m_dm;
    bool m_openedTable = false;
    std::array<MatFinPrm, 3> m_rows;
    MatFinResults m_results;
    LoanMode m_loanMode = LoanMode::Pgto;
    SavingsMode m_savMode = SavingsMode::Montante;
    BasicFunction m_function = BasicFunction::PMT;
    TFormMatFinView *m_view = nullptr;

public:
    QTabWidget *PageMatFin;
    // loan tab
    QLineEdit *DBEditPV, *DBEditNPer, *DBEditPgtoTaxa, *DBEditRenda, *DBEditDataParc;
    QPushButton *BtPgto, *BtTaxa, *BtCalcular, *BtAnalise, *BtEvolucao, *BtTabela;
    QLabel *LabelPgtoTaxa, *LabelPgtoTaxaUn;
    QRadioButton *RadioEmprCom, *RadioEmprSem;
    QComboBox *ComboFinalidade, *ComboNPer, *ComboTaxa;
    QTextBrowser *RTFEmpr;
    // savings tab
    QPushButton *BtPoupMontante, *BtPoupDeposito, *BtPoupPrazo, *BtPoupCalc;
    QPushButton *BtPoupEvolucao, *BtPoupAlerta, *BtMelhorOp;
    QLabel *LabelPoupOp;
    QWidget *PanelPoupFV, *PanelPoupN, *PanelPoupI, *PanelPoupPMT;
    QLineEdit *DBEditMontante, *DBEditPrazo, *DBEditTaxa, *DBEditDeposito, *DBEditPoupRenda,
        *DBEditPoupData;
    QRadioButton *RadioEntradaCom, *RadioEntradaSem;
    QTextBrowser *RTFPoup;
    // basic calculator tab
    std::array<QPushButton *, 5> BtCalcFn{};
    std::array<QWidget *, 5> PanelCalc{};
    std::array<QLineEdit *, 5> DBEditCalc{}; // N, I, PV, PMT, FV
    QRadioButton *RadioCalcCom, *RadioCalcSem;
    QLabel *LabelCalcBr, *LabelCalcEn, *LabelCalcResult, *PanelResult;
    QPushButton *BtCalc, *BtSaveCSV;
    // footer
    QLabel *LabelCF[3];
    QPushButton *BtFechar;
};

} // namespace calc
