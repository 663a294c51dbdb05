// The category look-up TFormBensCatView: a borderless pop-up holding only a grid of the
// categories, opened below a category field; Enter or a click picks, Esc leaves.
#pragma once

#include <QDialog>

#include <optional>

class QTableView;

namespace data {
class GridTableLink;
class TDM;
class TableModel;
} // namespace data

namespace assets {

class TFormBensCatView : public QDialog
{
    Q_OBJECT
public:
    explicit TFormBensCatView(data::TDM &dm, QWidget *parent = nullptr);

    // CodCatIni: the pop-up starts on the nearest code. Shown with its top-left at `at` (screen
    // coordinates). The code picked, or nothing (Tag 0).
    std::optional<qint64> pick(qint64 codCatIni, QPoint at);
    int Tag = 0;
    QTableView *grid() const { return DBGrid1; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose();

    data::TDM &m_dm;
    data::TableModel *m_model;
    QTableView *DBGrid1;
    data::GridTableLink *m_link;
    bool m_up = false;
};

} // namespace assets
