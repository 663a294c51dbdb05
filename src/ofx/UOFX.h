// TFormOFX, "Quorvila :: Importar Extrato OFX": the three booking accounts of the user (kept in
// TbUser as they are left), a statement file opened through the reader, its rows in a grid
// where the user may leave rows out and sees those that look already recorded, and the import
// (importer.h) of the rows that go in. Created for each use.
#pragma once

#include "statement.h"

#include <app/leavechecks.h>

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace accounts {
class TFormCtaView;
}
namespace data {
class TDM;
}

namespace ofx {

class OfxRowsModel;
enum class OfxAccount;

class TFormOFX : public QDialog
{
    Q_OBJECT
public:
    TFormOFX(data::TDM &dm, accounts::TFormCtaView *ctaView, QWidget *parent = nullptr);
    ~TFormOFX() override;

    // The number of entries imported (the import button's Tag); 0 when nothing was.
    int imported() const { return m_imported; }
    // The mark written in Obs of the imported entries.
    QString mark() const { return m_mark; }

    // Reads `path` as the open-file button does after its dialog (tests call it directly).
    void openFile(const QString &path);
    void BtOpenOFXClick();
    void BtImportarClick();
    OfxRowsModel &rowsModel() const { return *m_model; }

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    QWidget *buildAccounts();
    QWidget *buildHeader();
    void resetHeader();
    bool exitCheck(int i);
    void openPicker(int i);
    void rebook();
    void CheckConfirmadoClick();
    Preferences preferences() const;
    void saveAccount(int i, qint64 codRed);
    void focusField(int i);

    data::TDM &m_dm;
    accounts::TFormCtaView *m_ctaView;
    app::LeaveChecks m_leave;
    OfxRowsModel *m_model = nullptr;
    QLineEdit *EditCta[3] = {};
    QLabel *LbCta[3] = {};
    QString m_remembered[3];
    QLabel *LbNomeArquivo = nullptr, *LbBanco = nullptr, *LbAgencia = nullptr, *LbPeriodo = nullptr,
           *LbSaldo = nullptr, *LbDataSaldo = nullptr, *LabelNR = nullptr;
    QCheckBox *CheckConfirmado = nullptr;
    QTableView *DBGridOFX1 = nullptr;
    QPushButton *BtOpenOFX = nullptr, *BtImportar = nullptr, *BtFechar = nullptr;
    int m_imported = 0;
    QString m_mark;
};

} // namespace ofx
