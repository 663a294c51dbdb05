// The help viewer TFormHelp: the one non-modal window that shows an information-base page (the
// current row of TDM's TbInfo) with its related pages, copy and save. A parentless top-level
// window created once and kept for the run; closing it only hides it. It stays usable beside the
// program's modal screens: whenever one opens while the viewer is up, the viewer is closed and
// reopened at the same place and size over it (one application-wide event filter, so no screen
// needs code of its own).
#pragma once

#include <QWidget>

#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTextEdit;

namespace data {
class TDM;
}

namespace help {

class TFormHelp : public QWidget
{
    Q_OBJECT
public:
    // Touches no table: TbInfo opens later, at sign-in. Places the window by the screen's width.
    explicit TFormHelp(data::TDM &dm);
    ~TFormHelp() override;

    // Positions TbInfo on the page `code` (a code with no page leaves it where it was), adjusts
    // the viewer and shows it beside whatever modal screen runs. With TbInfo closed or empty
    // nothing is shown.
    void showPage(int code);
    // The code of the page shown (0 before the first).
    qint64 shownCode() const { return m_loadedCode; }

    QWidget *PanelTitulo;
    QLabel *DBText1;
    QPushButton *BtMais;
    QMenu *Popup1;
    QAction *PU[16];
    QTextEdit *DBRichEdit1;
    QPushButton *BtCopy, *BtSaveRTF, *BtFechar;

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildTopBar();
    void buildBottomBar();
    void place();
    // The adjusting of the viewer to TbInfo's current row: caption by kind, the related-pages
    // menu, the title's hint, the text and the scroll rule.
    void adjust();
    void fillRelated(const QString &topicosRel);
    void PU0Click(qint64 code);
    void BtMaisClick();
    void BtCopiarSalvarClick(bool save);
    // The beside-modal rule: makes the viewer a transient window of the topmost modal screen
    // that is not its own, reopening it (same geometry) when `reopen`.
    void followModal(bool reopen);
    bool ownsWindow(const QWidget *w) const;

    data::TDM &m_dm;
    qint64 m_loadedCode = 0;              // the page whose text is loaded
    std::optional<qint64> m_scrolledCode; // the page the text was last scrolled for
};

} // namespace help
