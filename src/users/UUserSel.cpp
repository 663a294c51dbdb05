#include "UUserSel.h"

#include "password.h"

#include <app/application.h>
#include <app/mensagem.h>
#include <app/passwordfield.h>
#include <data/UDM.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace users {

namespace {

// The text the closed box shows for an item: code and administrator mark. The name is shown
// beside the box in bold, and in full with the other columns in the drop-down list.
constexpr int kClosedTextRole = Qt::UserRole + 1;

// The look-up box: lists "code  A  name" and, closed, shows only "code  A", so a long name is
// never cut inside the box.
class UserLookup : public QComboBox
{
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter p(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        opt.currentText = currentData(kClosedTextRole).toString();
        p.drawComplexControl(QStyle::CC_ComboBox, opt);
        p.drawControl(QStyle::CE_ComboBoxLabel, opt);
    }
};

} // namespace

TFormUserSel::TFormUserSel(data::TDM &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName("TFormUserSel");
    setWindowTitle("Quorvila :: Finanças Pessoais");
    setStyleSheet("QDialog#TFormUserSel { background: #D9EAD9; }");
    setFixedSize(300, 143);

    m_look = new UserLookup;
    m_look->setObjectName("DBLook");
    m_look->setMaxVisibleItems(5);
    m_look->setFixedWidth(fontMetrics().horizontalAdvance("0000  A") + 40);
    m_labelUser = new QLabel;
    m_labelUser->setObjectName("LabelUser");
    m_labelUser->setTextFormat(Qt::PlainText);
    // The dialog is widened for the longest name (fillUsers); the label never squeezes the
    // look-up box or the password field.
    m_labelUser->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont bold = m_labelUser->font();
    bold.setBold(true);
    m_labelUser->setFont(bold);
    m_labelSenha = new QLabel("Senha");
    m_labelSenha->setObjectName("LabelSenha");
    m_senha = new QLineEdit;
    m_senha->setObjectName("EditSenha");
    m_senha->setMaxLength(10);
    m_senha->setFixedWidth(m_look->width());
    m_labelSenha->setBuddy(m_senha);
    app::makePasswordField(m_senha);
    m_ok = new QPushButton("&Ok");
    m_ok->setObjectName("BtOk");
    m_ok->setDefault(true);
    m_fechar = new QPushButton("&Fechar");
    m_fechar->setObjectName("BtFechar");
    m_fechar->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    auto *caption = new QLabel("Selecione o Usuário");
    caption->setBuddy(m_look);
    grid->addWidget(caption, 0, 0, 1, 2);
    grid->addWidget(m_look, 1, 0);
    grid->addWidget(m_labelUser, 1, 1);
    grid->addWidget(m_labelSenha, 2, 0, 1, 2);
    grid->addWidget(m_senha, 3, 0);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_fechar);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(m_look, &QComboBox::activated, this,
            [this](int i) { app::guarded([&] { chooseUser(i); }); });
    connect(m_ok, &QPushButton::clicked, this, [this] { app::guarded([this] { BtOkClick(); }); });
    connect(m_fechar, &QPushButton::clicked, this, &TFormUserSel::reject);
}

void TFormUserSel::fillUsers()
{
    // Users in the order TbUser is in (by code or by name, as TbCfg.UserOrder says).
    m_look->clear();
    data::Table *u = m_dm.TbUser;
    const QFontMetrics nameMetrics(m_labelUser->font());
    int nameWidth = 0;
    for (u->first(); !u->eof(); u->next()) {
        const QString key = data::catalogue::codUsuario(int(u->asInt("Cod"))) + "  " +
                            QString(u->asString("Adm")).leftJustified(1);
        const QString nome = u->asString("Nome");
        m_look->addItem(key + "  " + nome, u->asInt("Cod"));
        m_look->setItemData(m_look->count() - 1, key, kClosedTextRole);
        nameWidth = std::max(nameWidth, nameMetrics.horizontalAdvance(nome));
    }
    sizeForNames(nameWidth);
    const int last = m_look->findData(m_dm.TbCfg->asInt("LastUser"));
    m_look->setCurrentIndex(last >= 0 ? last : 0);
    chooseUser(m_look->currentIndex());
}

void TFormUserSel::sizeForNames(int nameWidth)
{
    // The list is at least 275 pixels wide, more when an item needs it (the item's text and
    // margins, plus frame and scroll bar).
    QAbstractItemView *list = m_look->view();
    const QFontMetrics fm(list->font());
    int textWidth = 0;
    for (int row = 0; row < m_look->count(); ++row)
        textWidth = std::max(textWidth, fm.horizontalAdvance(m_look->itemText(row)));
    QStyle *style = list->style();
    const int chrome = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) +
                       2 * list->frameWidth() + style->pixelMetric(QStyle::PM_ScrollBarExtent);
    list->setMinimumWidth(std::max(275, textWidth + chrome));
    // Margins, the look-up box, the spacing and the bold name.
    const QMargins m = layout()->contentsMargins();
    const int needed = m.left() + m_look->width() + layout()->spacing() + nameWidth + m.right();
    setFixedWidth(std::max(300, needed));
}

void TFormUserSel::chooseUser(int index)
{
    if (index < 0)
        return;
    const qint64 cod = m_look->itemData(index).toLongLong();
    data::Table *u = m_dm.TbUser;
    if (!u->locate("Cod", cod))
        return;
    m_dm.TbCfg->edit();
    m_dm.TbCfg->setValue("LastUser", cod);
    m_labelUser->setText(u->asString("Nome"));
    const bool senha = u->asBool("AtivarSenha");
    m_labelSenha->setEnabled(senha);
    m_senha->setEnabled(senha);
    m_senha->setStyleSheet(senha ? QString() : "QLineEdit { background: #ECF4EC; }");
}

int TFormUserSel::exec()
{
    if (beforeShow)
        beforeShow();
    beforeShow = nullptr;
    return QDialog::exec();
}

void TFormUserSel::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Filled first: the list of users sets the dialog's width, which the placement needs.
    app::guarded([this] {
        m_dm.TbCfg->edit();
        m_senha->clear();
        fillUsers();
    });
    // The first time over the screen; later over the main window's working area.
    if (!m_shownOnce) {
        if (const QScreen *s = QApplication::primaryScreen())
            move(s->availableGeometry().center() - rect().center());
    } else {
        app::placeDialog(this, app::mainWindow());
    }
    m_look->setFocus();
}

void TFormUserSel::BtOkClick()
{
    if (m_senha->isEnabled() && m_senha->text().isEmpty()) {
        m_senha->setFocus();
        return;
    }
    const QString stored =
        m_dm.TbUser->asBool("AtivarSenha") ? m_dm.TbUser->asString("Senha") : QString();
    const QString typed = m_senha->isEnabled() ? m_senha->text() : QString();
    if (!verifyPassword(stored, typed)) {
        app::Mensagem("Senha não confere!\r\nPor favor, redigite!", 0);
        m_senha->setFocus();
        m_senha->selectAll();
        return;
    }
    if (m_dm.TbCfg->state() != data::Table::State::Browse)
        m_dm.TbCfg->post();
    Tag = 1;
    m_shownOnce = true;
    accept();
}

void TFormUserSel::reject()
{
    app::guarded([this] { m_dm.TbCfg->cancel(); });
    m_shownOnce = true;
    QDialog::reject();
}

} // namespace users
