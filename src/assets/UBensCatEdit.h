// The category editor TFormBensCatEdit: code and name of one category. Changing the code of a
// category in use renumbers its assets with it, after the user confirms, in one transaction.
#pragma once

#include <QDialog>

class QLineEdit;

namespace data {
class TDM;
}

namespace accounts {
class MnemonicButton;
}

namespace assets {

class TFormBensCatEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TFormBensCatEdit(data::TDM &dm, QWidget *parent = nullptr);

    // Precondition: TbBensCat is inserting (codCatAnt 0) or editing the category whose code was
    // `codCatAnt`; `temBens` whether assets use it. True when saved.
    bool run(const QString &title, qint64 codCatAnt, bool temBens);

    QLineEdit *EditCodR, *EditDescr;
    accounts::MnemonicButton *BtOk;

private:
    void BtOkClick();

    data::TDM &m_dm;
    qint64 CodCatAnt = 0;
    bool TemBens = false;
};

} // namespace assets
