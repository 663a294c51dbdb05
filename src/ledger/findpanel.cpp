#include "findpanel.h"

#include <app/keyfilters.h>
#include <app/mensagem.h>

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
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
