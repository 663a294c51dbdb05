// TFormBalCalc, "Balancetes e Extratos de Conta": the trial balance of the screen's own period
// with the statement of the selected account (tab "Balancete") and the year map of its own year
// (tab "Mapa do Ano"), their search panels, pop-up menus and CSV files. The figures come from the
// rules of this folder; the screen holds their rows and shows them.
#pragma once

#include "search.h"
#include "statements.h"
#include "trialbalance.h"
#include "yearmap.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
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

namespace ledger {

class BcteModel;
class LctosModel;
class MapaModel;

class TFormBalCalc : public QDialog
{
    Q_OBJECT
public:
    // `dtIni`..`dtFim`: the main window's period, which the screen copies and never changes.
    TFormBalCalc(data::TDM &dm, const QDate &dtIni, const QDate &dtFim, QWidget *parent = nullptr);
    ~TFormBalCalc() override;

    QDate DtIniBal, DtFimBal;
    PeriodMode mode = PeriodMode::Month;
    int AnoMapa = 0; // the map's own year; 0 until the map tab is first visited

    // The period dialog the period buttons open (tests answer it).
    entries::TFormData &periodDialog() { return *m_periodDialog; }

    void BalView();
    void MudarVisualizacaoBalancete();
    void BalMapaView();
    void MudarVisualizacaoMapa();
    void BtMapaVisible(QObject *sender);

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTopBar();
    QWidget *buildBalTab();
    QWidget *buildMapaTab();
    void buildBottomBar();
    void setBalControlsEnabled(bool on);
    void setMapControlsEnabled(bool on);
    void applyPeriodTitles();

    void BtPeriodoClick();
    void BtPeriodoMapaClick();
    void PageControl1Change();
    void currentBalRowChanged();
    void BtFindBalClick();
    void BtFindMapaClick();

    // Checks before an output; false (after its message) when the output must not run.
    bool balAvailable();
    bool level3Selected();
    const BcteRow *currentBalRow() const;

    void BtBalSaveCSVClick();
    void BtCtaSaveCSVClick();
    void BtSaveCSVClick();
    void BtBalPrintClick();
    void BtCtaPrintClick();
    void BtPrintClick();
    void saveMapCsv();
    void CheckTotaisClick();

    data::TDM &m_dm;
    entries::TFormData *m_periodDialog;
    TrialBalance m_tb;
    bool m_tbOpen = false;
    Ledger m_ledger;
    YearMap m_map;
    bool m_mapComputed = false;
    bool m_mapOpen = false;
    MapWindow m_window;
    bool m_placed = false;

    BcteModel *m_bcte;
    LctosModel *m_lctos;
    MapaModel *m_mapa;

public:
    // Controls, named as the screen's objectName.
    QTabWidget *PageControl1;
    QWidget *TabBal, *TabBalMapa;
    QPushButton *BtPeriodo, *BtPeriodoMapa, *BtFinHelp;
    QLabel *PanelBal, *PanelCirc, *PanelBalMapa;
    QTableView *DBGrid1, *DBGrid2, *DBGridMapa;
    QComboBox *ComboGrupo, *ComboNivel, *ComboGrupoMapa, *ComboNivelMapa;
    QLabel *LabelGrupo, *LabelNivel, *LabelGrupoMapa, *LabelNivelMapa;
    QPushButton *BtBalSaveCSV, *BtBalPrint, *BtCtaSaveCSV, *BtCtaPrint;
    QCheckBox *CheckTotais;
    QFrame *PanelFindBal, *PanelFindMapa;
    QLineEdit *EditFindBal, *EditFindMapa;
    QPushButton *BtFindBal, *BtFindMapa;
    QPushButton *BtMapaPrior, *BtMapaNext;
    QPushButton *BtSaveCSV, *BtPrint, *BtFechar;
    QMenu *PopupBal, *PopupMapa;
};

} // namespace ledger
