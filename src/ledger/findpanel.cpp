#include "findpanel.h"

#include <app/keyfilters.h>
#include <app/mensagem.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace ledger {

QFrame *findPanel(const char *name, const char *editName, const char *buttonName, QLineEdit *&edit,
                  QPushButton *&bt, QWidget *parent)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    auto *lay = new QHBoxLayout(panel);
    auto *label = new QLabel("Localizar Conta ou Cód Red:", panel);
    edit = new QLineEdit(panel);
    edit->setObjectName(editName);
    edit->setMaxLength(7);
    edit->setValidator(new app::CharsetValidator("0-9.,", edit));
    label->setBuddy(edit);
    bt = new QPushButton("OK", panel);
    bt->setObjectName(buttonName);
    bt->setToolTip("Localizar");
    bt->setAutoDefault(false);
    lay->addWidget(label);
    lay->addWidget(edit);
    lay->addWidget(bt);
    panel->hide();
    // "," is taken as the code's separator.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &t) {
        if (t.contains(',')) {
            const int pos = edit->cursorPosition();
            edit->setText(QString(t).replace(',', '.'));
            edit->setCursorPosition(pos);
        }
    });
    return panel;
}

namespace {

class FindPanelWatcher : public QObject
{
public:
    FindPanelWatcher(QTableView *grid, QFrame *panel, QLineEdit *edit,
                     std::function<bool()> canOpen)
        : QObject(panel), m_grid(grid), m_panel(panel), m_edit(edit), m_canOpen(std::move(canOpen))
    {
        grid->installEventFilter(this);
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *k = static_cast<QKeyEvent *>(event);
            const QString t = k->text();
            const bool digit = t.size() == 1 && t[0].isDigit() && k->modifiers() == Qt::NoModifier;
            if (watched == m_grid && digit && m_canOpen()) {
                showFindPanel(m_panel, m_edit, t);
                return true;
            }
            if (watched == m_edit && k->key() == Qt::Key_Escape) {
                m_grid->setFocus();
                return true;
            }
        }
        if (event->type() == QEvent::FocusOut && watched == m_edit) {
            // A message box about the search takes the focus for a moment; the panel stays.
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == m_panel->window())
                m_panel->hide();
        }
        return false;
    }

private:
    QTableView *m_grid;
    QFrame *m_panel;
    QLineEdit *m_edit;
    std::function<bool()> m_canOpen;
};

} // namespace

void watchFindPanel(QTableView *grid, QFrame *panel, QLineEdit *edit, std::function<bool()> canOpen)
{
    new FindPanelWatcher(grid, panel, edit, std::move(canOpen));
}

void showFindPanel(QFrame *panel, QLineEdit *edit, const QString &start)
{
    panel->show();
    edit->setText(start);
    edit->setFocus();
    edit->setCursorPosition(int(start.size()));
}

std::optional<SearchKey> readSearch(QLineEdit *edit)
{
    const SearchKey key = parseSearch(edit->text());
    if (key.kind == SearchKey::Kind::Empty) {
        app::Mensagem(searchEmptyText(), 0);
        edit->clear();
        edit->setFocus();
        return std::nullopt;
    }
    if (key.kind == SearchKey::Kind::Invalid) {
        app::Mensagem(searchInvalidText(key.code), 0);
        edit->setFocus();
        edit->selectAll();
        return std::nullopt;
    }
    return key;
}

void locate(QTableView *grid, QComboBox *grupo, QComboBox *nivel, const SearchKey &key,
            const QString &found, const std::function<void()> &reapply)
{
    grid->setFocus();
    if (found.isEmpty()) {
        app::Mensagem(key.kind == SearchKey::Kind::Account ? accountNotFoundText(key.code)
                                                           : reducedNotFoundText(key.number),
                      0);
        return;
    }
    const auto rowOf = [&] {
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            if (grid->model()->index(r, 0).data().toString().compare(found, Qt::CaseInsensitive) ==
                0)
                return r;
        return -1;
    };
    int at = rowOf();
    if (at < 0) {
        // Hidden by the view: back to every account and every level.
        const QSignalBlocker g(grupo), n(nivel);
        grupo->setCurrentIndex(0);
        nivel->setCurrentIndex(0);
        reapply();
        at = rowOf();
    }
    if (at >= 0)
        grid->setCurrentIndex(grid->model()->index(at, 0));
    grid->setFocus();
}

} // namespace ledger
