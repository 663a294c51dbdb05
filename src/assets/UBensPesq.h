// The asset search TFormBensPesq ("Pesquisar Bens"): acquisition dates, text, value and
// categories as criteria, the result in a chosen order with each asset's value at the end of the
// period, its CSV and its report; choosing a row makes that asset current on the assets page.
// It lives while the assets page is current, so criteria and result survive between openings.
#pragma once

#include "listings.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace data {
class TDM;
}

namespace assets {

class AssetValues;
class ResultModel;
class TFormBensCatView;

class TFormBensPesq : public QDialog
{
    Q_OBJECT
public:
    // `period()` gives DtIni and DtFim, the range "&Limpar" proposes.
    TFormBensPesq(data::TDM &dm, AssetValues &values, TFormBensCatView *catView,
                  std::function<std::pair<QDate, QDate>()> period, QWidget *parent = nullptr);
    ~TFormBensPesq() override;

    // Shows the screen modally; the Codigo of the asset chosen, if one was.
    std::optional<qint64> run();

    void BtLimparClick();
    void BtPesqClick();
    void BtSaveCSVClick();
    void BtPrintClick();
    bool hasResult() const { return m_open; }
    const std::vector<AssetRow> &result() const { return m_rows; }

    QCheckBox *ChkDtMin;
    QDateEdit *EditDtMin, *EditDtMax;
    QLineEdit *EditTx, *EditCat, *EditVlr;
    QComboBox *ComboOrder, *ComboTit;
    QLabel *LabelNR;
    QTableView *DBGridPesq;
    QPushButton *BtPesq, *BtLimpar;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Ended in the destructor: hiding the dialog moves the focus, and the slot must not run on a
    // screen that is half destroyed.
    QMetaObject::Connection m_focusWatch;
    void closeResult(const QString &label);
    bool runQuery();
    void openCatView();
    void choose();

    data::TDM &m_dm;
    AssetValues &m_values;
    TFormBensCatView *m_catView;
    std::function<std::pair<QDate, QDate>()> m_period;
    ResultModel *m_model;
    QFrame *m_criteria;
    std::vector<AssetRow> m_rows;
    bool m_open = false;
    int m_order = 1;
    std::optional<qint64> m_chosen;
    qint64 m_nextCat = 0;
    QString m_sql;
    QVariantList m_params;
};

} // namespace assets
