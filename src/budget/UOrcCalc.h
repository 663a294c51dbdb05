// TFormOrcCalc, the budget screen: one month's budget against its realised values by account,
// title and group, the month's result, the view choosers, the search panel, the pop-up menu, the
// CSV file and the print; with the generation dialog (TFormOrcBase) and the value dialog
// (TFormOrcEdit) that write budget values. The figures come from the rules of this folder; the
// screen holds their rows and shows them.
#pragma once

#include "orcview.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;

namespace data {
class TDM;
}
namespace entries {
class TFormData;
}

namespace budget {

class OrcModel;
class TFormOrcBase;

class TFormOrcCalc : public QDialog
{
    Q_OBJECT
public:
    // `dtIni`: the first day of the main window's period, whose month the screen opens on.
    TFormOrcCalc(data::TDM &dm, const QDate &dtIni, QWidget *parent = nullptr);
    ~TFormOrcCalc() override;

    QDate DtIniOrc, DtFimOrc;

    // The dialogs the screen opens (tests answer them).
    entries::TFormData &periodDialog() { return *m_periodDialog; }
    TFormOrcBase &orcBase() { return *m_orcBase; }
    const OrcMonth &month() const { return m_month; }

    // Rebuilds the month's rows; OrcResultado shows its totals and reapplies the view on the row
    // number the grid had.
    void OrcView();
    void OrcResultado();
    void MudarVisualizacaoOrcamento();

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    QWidget *buildTopBar();
    QWidget *buildTab();
    QWidget *buildResultBand(QWidget *parent);
    QWidget *buildBottomBar();
    void buildPopup();
    void applyMonthTitles();
    void placeResultLabels();
    void selectRow(int row);
    const OrcRow *currentRow() const;
    bool available(const char *message);

    void BtPeriodoClick();
    void BtGerarClick();
    void BtOrcarClick();
    void BtFindOrcClick();
    void BtSaveCSVClick();
    void BtPrintClick();

    data::TDM &m_dm;
    entries::TFormData *m_periodDialog;
    TFormOrcBase *m_orcBase;
    OrcModel *m_model;
    OrcMonth m_month;
    bool m_monthChanged = false; // the Saldo title loses a blank once the month is changed
    bool m_placed = false;

public:
    // Controls, named as the screen's objectName.
    QTabWidget *PageControl1;
    QWidget *TabOrc;
    QPushButton *BtPeriodo, *BtFinHelp;
    QLabel *PanelOrc;
    QTableView *DBGrid1;
    QLabel *LabelGrupo, *LabelNivel;
    QComboBox *ComboGrupo, *ComboNivel;
    QPushButton *BtOrcar, *BtGerar;
    QWidget *PanelResultado;
    QLabel *LabelResultado, *LabelVOrc, *LabelVReal, *LabelPerc, *LabelSaldo;
    QFrame *PanelFindOrc;
    QLineEdit *EditFindOrc;
    QPushButton *BtFindOrc;
    QMenu *PopupOrc;
    QAction *MenuLocalizar, *MenuOrcar, *MenuGerar, *MenuImprimir;
    QPushButton *BtSaveCSV, *BtPrint, *BtFechar;
    QLabel *LabelVerso;
};

} // namespace budget
