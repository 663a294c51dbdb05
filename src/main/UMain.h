// The main window, TFormMainQuorvila_Zx3307: the program's only non-modal window, with the menu
// bar, the left button column, the home, "Controle Financeiro" and "Controle de Bens" pages, the
// entries grid with its colours and the period figures. It is created before the data module,
// so its construction touches no table; the start-up sequence runs from its first show.
#pragma once

#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;
class QFrame;

namespace data {
class GridTableLink;
class TDM;
class TableModel;
} // namespace data
namespace accounts {
class TFormCtaView;
class TFormHstoView;
} // namespace accounts
namespace assets {
class AssetsPage;
}
namespace entries {
class Session;
class TFormData;
class TFormFinEdit;
} // namespace entries

namespace main_ui {

class FinGridHeader;

class TFormMainQuorvila_Zx3307 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFormMainQuorvila_Zx3307(QWidget *parent = nullptr);
    ~TFormMainQuorvila_Zx3307() override;

    // "Quorvila :: Finanças Pessoais  [0001  Nome]" while signed in, the application title else.
    void setSignedInCaption(const QString &codUsuario, const QString &nome);
    void clearSignedInCaption();

    // The data module, created after the window; then the long-lived screens the window uses
    // (history and account look-ups, period dialog), in this order.
    void setDataModule(data::TDM *dm);

    // Opens the tables of the user TbCfg.LastUser names and shows that user's data; false when
    // there is no such user or a table cannot be opened. Ends the previous user's session (and
    // the entry editor bound to it) before it re-points the tables, and starts the new one once
    // they are open; after a failure to open them no session remains.
    bool InicializarUsuario();
    // The signed-in user's state; null while nobody is signed in.
    entries::Session *session() const { return m_session.get(); }

    // Commands (menu items, buttons and pop-up items share them).
    QAction *ActionPreferencias, *ActionUserBackup, *ActionChangeUser, *ActionUserMng,
        *ActionFechar;
    QAction *ActionFuncionalidades, *ActionIrParaFin, *ActionIncluirFin, *ActionEditarFin,
        *ActionExcluirFin, *ActionReplicarFin, *ActionLocalizarFin, *ActionMarcarTodosOk,
        *ActionImportarOFX, *ActionBalancete, *ActionOrcamento, *ActionPlanoCta, *ActionHsto;
    QAction *ActionIrParaBens, *ActionIncluirBem, *ActionEditarBem, *ActionExcluirBem,
        *ActionReplicarBem, *ActionLocalizarBem, *ActionCategorias;
    QAction *ActionEducFin, *ActionMatFin, *ActionHelpFast, *ActionProposito, *ActionHelpConhecendo,
        *ActionHelpComoIniciaroUso, *ActionOqueeControleDeBens, *ActionHelpComoApoiar,
        *ActionDoacao, *ActionSobre;

    QTableView *grid() const { return m_grid; }
    data::TableModel *gridModel() const { return m_model.get(); }
    // The session's editor, made when first opened (signing in stays quick); null while nobody
    // is signed in.
    entries::TFormFinEdit *finEdit();
    entries::TFormData *periodDialog() const { return m_data; }

    // After a change of amounts: the five figures and the entry count, with the wait cursor.
    void recalcSaldos();

Q_SIGNALS:
    void firstShown();
    void changeUserRequested();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createActions();
    void createMenus();
    QWidget *createLeftColumn();
    QWidget *createHomePage();
    QWidget *createFinPage();
    void createGrid(QWidget *page);
    void createFigures(QWidget *page);
    void createFindPanel(QWidget *page);
    void connectActions();
    void setupFolderActions();

    // The entry list commands.
    void ActionIncluirFinExecute();
    void ActionEditarFinExecute();
    void ActionExcluirFinExecute();
    void ActionReplicarFinExecute();
    void ActionMarcarTodosOkExecute();
    void ActionLocalizarFinExecute(const QString &firstChar = {});
    void runFind();
    void DBGridFinTitleClick(int section);
    void sortBy(const QString &indexName, int markedSection);
    void openEditor(const QString &caption, bool enabled);
    void showFinPage();

    // The reflection and verse panels: pick another page of their kind, open the page shown.
    void BtOutraDicaClick();
    void BtOutroVersiculoClick();
    void openPanelPage(const QWidget *tagged);
    void hideFindPanels();
    // The help screens; the quick help's code says where to go next.
    void ActionHelpFastExecute();
    void actOnQuickHelpCode(int code);
    void openAbout(int page);
    void ActionEducFinExecute();

    void refreshCurrentPanel();
    void refreshPeriodCaption();
    void startSession();
    void endSession();

    data::TDM *m_dm = nullptr;
    bool m_shown = false;
    QTabWidget *m_pages = nullptr;
    QWidget *m_tabHome = nullptr, *m_tabFin = nullptr, *m_tabBens = nullptr;
    QPushButton *m_btPeriodo = nullptr;
    QTableView *m_grid = nullptr;
    FinGridHeader *m_header = nullptr;
    data::GridTableLink *m_link = nullptr;
    std::unique_ptr<data::TableModel> m_model;
    QLabel *m_ctaDeb = nullptr, *m_contaDestino = nullptr, *m_ctaCred = nullptr,
           *m_contaOrigem = nullptr, *m_obs = nullptr;
    QLabel *m_figures[11] = {};
    QFrame *m_findPanel = nullptr;
    // The panels; each keeps the code of its page in the "Tag" property of its label and its
    // "read" button (0 before the first pick and while the kind has no page).
    QLabel *m_labelDica = nullptr, *m_image1 = nullptr;
    QPushButton *m_btOutraDica = nullptr, *m_btLeiaMais = nullptr, *m_btOutroVersiculo = nullptr,
                *m_btLerVersiculo = nullptr;
    QLineEdit *m_editFind = nullptr;
    QMenu *m_popupOk = nullptr;
    accounts::TFormHstoView *m_hstoView = nullptr;
    accounts::TFormCtaView *m_ctaView = nullptr;
    entries::TFormData *m_data = nullptr;
    assets::AssetsPage *m_assets = nullptr;
    // The signed-in user's state, and the editor that holds on to it (a child widget, deleted
    // before the session by endSession()).
    std::unique_ptr<entries::Session> m_session;
    entries::TFormFinEdit *m_finEdit = nullptr;
};

} // namespace main_ui
