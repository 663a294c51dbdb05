#include "UUserMngEdit.h"

#include <app/application.h>
#include <app/helptag.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <app/passwordfield.h>
#include <app/windowhints.h>
#include <data/catalogue.h>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace users {

namespace {

// Entering the combo chooses "dos arquivos do Usuário".
class FocusChooses : public QObject
{
public:
    FocusChooses(QWidget *watched, QRadioButton *choice) : QObject(watched), m_choice(choice)
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::FocusIn)
            m_choice->setChecked(true);
        return false;
    }

private:
    QRadioButton *m_choice;
};

} // namespace

TFormUserMngEdit::TFormUserMngEdit(QWidget *parent) : QDialog(parent)
{
    setObjectName("TFormUserMngEdit");
    setStyleSheet("QDialog#TFormUserMngEdit { background: #D9EAD9; }");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    app::withoutCloseBox(this);

    const auto edit = [](const char *name, int max) {
        auto *e = new QLineEdit;
        e->setObjectName(name);
        e->setMaxLength(max);
        return e;
    };
    m_cod = edit("DBEdit8", 5);
    m_cod->setReadOnly(true);
    m_cod->setFocusPolicy(Qt::NoFocus);
    m_cod->setMaximumWidth(60);
    m_nome = edit("DBEditNome", 50);
    m_checkSenha = new QCheckBox("Ativar Senha");
    m_checkSenha->setObjectName("CheckSenha");
    m_checkSenha->setProperty("navField", true);
    m_senha = edit("DBEditSenha", 10);
    m_redigitar = edit("EditSenha", 10);
    for (QLineEdit *e : {m_senha, m_redigitar}) {
        app::makePasswordField(e);
        e->setMaximumWidth(120);
    }
    m_admin = new QCheckBox("Administrador - Este Usuário pode Criar e Gerenciar Usuários");
    m_admin->setObjectName("DBCheckAdmin");
    m_admin->setProperty("navField", true);

    m_radioCta = new QGroupBox(" Criar as Tabelas Auxiliares (como o Plano de Contas) a partir: ");
    m_radioCta->setObjectName("RadioCta");
    m_modelos = new QRadioButton("dos Modelos do sistema Quorvila :: Finanças Pessoais");
    m_doUsuario = new QRadioButton("dos arquivos do Usuário");
    m_combo = new QComboBox;
    m_combo->setObjectName("ComboUser");
    m_combo->setAccessibleName("Usuário do qual copiar as tabelas auxiliares");
    m_combo->setMinimumWidth(220);
    new FocusChooses(m_combo, m_doUsuario);
    auto *rl = new QGridLayout(m_radioCta);
    rl->addWidget(m_modelos, 0, 0, 1, 2);
    rl->addWidget(m_doUsuario, 1, 0);
    rl->addWidget(m_combo, 1, 1);
    rl->setColumnStretch(1, 1);

    auto *form = new QFormLayout;
    form->addRow("Código", m_cod);
    form->addRow("Nome do Usuário", m_nome);
    form->addRow(QString(), m_checkSenha);
    form->addRow("Senha", m_senha);
    form->addRow("Redigitar Senha", m_redigitar);
    form->addRow(QString(), m_admin);

    m_ok = new QPushButton("&Gravar");
    m_ok->setObjectName("BtOk");
    m_cancel = new QPushButton("&Cancelar");
    m_cancel->setObjectName("BtCancel");
    m_help = new QPushButton("?");
    m_help->setObjectName("BtHelp");
    app::wireHelp(m_help, 2072);
    for (QPushButton *b : {m_ok, m_cancel, m_help})
        b->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_help);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addWidget(m_radioCta);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_checkSenha, &QCheckBox::clicked, this, [this] { CheckSenhaClick(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { app::guarded([this] { BtOkClick(); }); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    new app::FieldNavigator(this);
}

void TFormUserMngEdit::prepareCreate(int cod, const QStringList &users)
{
    m_creating = true;
    m_hasStored = false;
    setWindowTitle("Criar Novo Usuário");
    m_ok->setText("&Criar Usuário");
    m_cod->setText(data::catalogue::codUsuario(cod));
    m_nome->clear();
    m_checkSenha->setChecked(false);
    m_senha->clear();
    m_redigitar->clear();
    m_admin->setChecked(false);
    m_admin->setEnabled(true);
    m_combo->clear();
    m_combo->addItems(users);
    m_combo->setCurrentIndex(users.isEmpty() ? -1 : 0);
    m_modelos->setChecked(true);
    m_radioCta->setVisible(true);
    CheckSenhaClick();
}

void TFormUserMngEdit::prepareEdit(int cod, const UserEdit &v, bool hasStoredPassword,
                                   bool adminLocked)
{
    m_creating = false;
    m_hasStored = hasStoredPassword;
    setWindowTitle("Editar Usuário");
    m_ok->setText("&Gravar");
    m_cod->setText(data::catalogue::codUsuario(cod));
    m_nome->setText(v.nome);
    m_checkSenha->setChecked(v.ativarSenha);
    m_senha->clear();
    m_redigitar->clear();
    m_admin->setChecked(v.admin);
    // The signed-in user's own administrator right cannot be taken away here.
    m_admin->setEnabled(!adminLocked);
    m_radioCta->setVisible(false);
    CheckSenhaClick();
}

UserEdit TFormUserMngEdit::values() const
{
    return {m_nome->text(), m_checkSenha->isChecked(), m_senha->text(), m_redigitar->text(),
            m_admin->isChecked()};
}

QString TFormUserMngEdit::fromCod() const
{
    if (!m_creating || !m_doUsuario->isChecked() || m_combo->currentIndex() < 0)
        return {};
    return m_combo->currentText().left(4);
}

void TFormUserMngEdit::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    m_okTag = 0;
    CheckSenhaClick();
    adjustSize();
    app::placeDialog(this, app::mainWindow(), {68, -5});
    m_nome->setFocus();
}

void TFormUserMngEdit::CheckSenhaClick()
{
    const bool on = m_checkSenha->isChecked();
    for (QLineEdit *e : {m_senha, m_redigitar}) {
        e->setEnabled(on);
        e->setStyleSheet(on ? QString() : "QLineEdit { background: #ECF4EC; }");
    }
}

void TFormUserMngEdit::BtOkClick()
{
    const UserEdit v = values();
    const bool keeps = m_hasStored;
    if (const auto p = checkUserMngForm(v, keeps, m_creating, m_doUsuario->isChecked(),
                                        m_combo->currentIndex() >= 0)) {
        app::Mensagem(p->message, 0);
        if (auto *w = findChild<QWidget *>(p->field))
            w->setFocus();
        return;
    }
    m_okTag = 1;
    accept();
}

} // namespace users
