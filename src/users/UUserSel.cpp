#include "UUserSel.h"

#include "password.h"

#include <app/application.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
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

namespace users {

TFormUserSel::TFormUserSel(data::TDM &dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName("TFormUserSel");
    setWindowTitle("Quorvila :: Finanças Pessoais");
    setStyleSheet("QDialog#TFormUserSel { background: #D9EAD9; }");
    setFixedSize(300, 143);

    m_look = new QComboBox;
    m_look->setObjectName("DBLook");
    m_look->setMaxVisibleItems(5);
    m_labelUser = new QLabel;
    m_labelUser->setObjectName("LabelUser");
    QFont bold = m_labelUser->font();
    bold.setBold(true);
    m_labelUser->setFont(bold);
    m_labelSenha = new QLabel("Senha");
    m_labelSenha->setObjectName("LabelSenha");
    m_senha = new QLineEdit;
    m_senha->setObjectName("EditSenha");
    m_senha->setMaxLength(10);
    m_senha->setEchoMode(QLineEdit::Password);
    m_senha->setValidator(app::lettersAndDigits(m_senha));
    m_ok = new QPushButton("&Ok");
    m_ok->setObjectName("BtOk");
    m_ok->setDefault(true);
    m_fechar = new QPushButton("&Fechar");
    m_fechar->setObjectName("BtFechar");
    m_fechar->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Selecione o Usuário"), 0, 0, 1, 2);
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
    for (u->first(); !u->eof(); u->next())
        m_look->addItem(data::catalogue::codUsuario(int(u->asInt("Cod"))) + "  " +
                            QString(u->asString("Adm")).leftJustified(1) + "  " +
                            u->asString("Nome"),
                        u->asInt("Cod"));
    m_look->view()->setMinimumWidth(275);
    const int last = m_look->findData(m_dm.TbCfg->asInt("LastUser"));
    m_look->setCurrentIndex(last >= 0 ? last : 0);
    chooseUser(m_look->currentIndex());
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
    // The first time over the screen; later over the main window's working area.
    if (!m_shownOnce) {
        if (const QScreen *s = QApplication::primaryScreen())
            move(s->availableGeometry().center() - rect().center());
    } else {
        app::placeDialog(this, app::mainWindow());
    }
    app::guarded([this] {
        m_dm.TbCfg->edit();
        m_senha->clear();
        fillUsers();
    });
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
