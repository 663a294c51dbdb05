// The main window's "Controle de Bens" page: the asset list with its values at the end of the
// working period, the five totals, the find panel, the commands of the register and their
// pop-up menus. The main window hosts it in its TabBens page and calls signIn(), periodChanged()
// and the commands; the page owns the editors while it is the current page.
#pragma once

#include <QDate>
#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

namespace data {
class TDM;
}

namespace assets {

class AssetValues;
class BensModel;
class TFormBensCatView;
class TFormBensEdit;
class TFormBensPesq;
struct AssetTotals;

struct PageActions
{
    QAction *ActionIncluirBem = nullptr, *ActionEditarBem = nullptr, *ActionExcluirBem = nullptr,
            *ActionReplicarBem = nullptr, *ActionLocalizarBem = nullptr,
            *ActionCategorias = nullptr, *ActionOqueeControleDeBens = nullptr;
};

class AssetsPage : public QWidget
{
    Q_OBJECT
public:
    // `period()` gives DtIni and DtFim of the signed-in user's working period.
    AssetsPage(data::TDM &dm, std::function<std::pair<QDate, QDate>()> period,
               const PageActions &actions, QWidget *parent = nullptr);
    ~AssetsPage() override;

    // After sign-in: the list ordered by category, values and totals for the user's period.
    void signIn();
    // Nobody signed in: the values stop being computed.
    void signOut();
    // The working period changed: the values follow its end, the totals and titles anew.
    void periodChanged();
    // CalcularValorDosBens and RefreshLabelsValorDosBens, and the count.
    void recompute();

    // The page became current / stopped being current: the dialogs are made / freed.
    void entered();
    void left();
    void hideFindPanel();

    // The commands (each one's action first makes this the current page).
    void ActionIncluirBemExecute();
    void ActionEditarBemExecute();
    void ActionExcluirBemExecute();
    void ActionReplicarBemExecute();
    void ActionLocalizarBemExecute(const QString &firstChar = {});
    void ActionCategoriasExecute();
    void BtBensPesqClick();
    void BtSaveCSVClick();
    void BtPrintClick();
    void runFind();

    QTableView *grid() const { return DBGridBens; }
    AssetValues *values() const { return m_values.get(); }
    TFormBensEdit *editor() const { return m_editor; }
    TFormBensPesq *search();
    TFormBensCatView *catView();
    QLabel *label(const char *name) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Ended in the destructor: hiding the page may move the focus, and the slot must not run on
    // a page that is half destroyed.
    QMetaObject::Connection m_focusWatch;
    void build(const PageActions &a);
    void buildTotals(QWidget *panel);
    void sortBy(int section);
    void afterSave();
    void openEditor(const QString &title);
    void RefreshLabelsValorDosBens(const AssetTotals &t);
    void refreshObs();
    bool moveToAsset(qint64 codigo);

    data::TDM &m_dm;
    std::function<std::pair<QDate, QDate>()> m_period;
    std::unique_ptr<AssetValues> m_values;
    BensModel *m_model = nullptr;
    QTableView *DBGridBens = nullptr;
    QFrame *PanelFindBem = nullptr;
    QLineEdit *EditFindBem = nullptr;
    QLabel *m_obs = nullptr;
    QLabel *LabelRecCountBens = nullptr;
    QMenu *m_gridMenu = nullptr;
    TFormBensEdit *m_editor = nullptr;
    TFormBensPesq *m_search = nullptr;
    TFormBensCatView *m_catView = nullptr;
    int m_sorted = 3;
};

} // namespace assets
