// The categories screen TFormBensCat ("Categorias de Bens"): the user's asset categories in code
// order, kept through TFormBensCatEdit, listed as CSV and printed, exported and imported as the
// check-summed ".KCB" file.
#pragma once

#include <QDialog>

class QTableView;

namespace data {
class TDM;
class TableModel;
class GridTableLink;
} // namespace data

namespace assets {

class TFormBensCatEdit;

class TFormBensCat : public QDialog
{
    Q_OBJECT
public:
    explicit TFormBensCat(data::TDM &dm, QWidget *parent = nullptr);
    ~TFormBensCat() override;
    int exec() override;

    TFormBensCatEdit *editor() const { return m_editor; }

    void BtNovoClick();
    void BtEditarClick();
    void BtExcluirClick();
    void BtSaveCSVClick();
    void BtPrintClick();
    void BtExportClick();
    void BtImportClick();

private:
    data::TDM &m_dm;
    TFormBensCatEdit *m_editor;
    data::TableModel *m_model;
    QTableView *DBGrid1;
    data::GridTableLink *m_link;
};

} // namespace assets
