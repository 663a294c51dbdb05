#include "UUser.h"

#include "UUserFiles.h"
#include "filecommands.h"
#include "password.h"
#include "userrules.h"

#include <app/application.h>
#include <app/dates.h>
#include <app/error.h>
#include <app/helptag.h>
#include <app/keyfilters.h>
#include <app/mensagem.h>
#include <app/passwordfield.h>
#include <data/UDM.h>

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace users {

static QLineEdit *edit(const QString &name, int maxLength)
{
    auto *e = new QLineEdit;
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}

TFormUser::TFormUser(data::TDM &dm, int mode, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_mode(mode),
      m_leave(this, [this](QWidget *field) { return checkField(field); })
{
    setObjectName("TFormUser");
    setStyleSheet("QDialog#TFormUser { background: #D9EAD9; }");
    m_pages = new QTabWidget;
    m_pages->setObjectName("PageControl1");
    m_info = buildInfoPage();
    m_prefs = buildPrefsPage();
    m_files = buildFilesPage();

    m_gravar = new QPushButton("&Gravar");
    m_gravar->setObjectName("BtGravar");
    m_cancelar = new QPushButton("&Cancelar");
    m_cancelar->setObjectName("BtCancelar");
    m_fechar = new QPushButton("&Fechar");
    m_fechar->setObjectName("BtFechar");
    m_help = new QPushButton("?");
    m_help->setObjectName("BtHelp");
    app::wireHelp(m_help, 2073);
    for (QPushButton *b : {m_gravar, m_cancelar, m_fechar, m_help})
        b->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_help);
    buttons->addStretch();
    buttons->addWidget(m_gravar);
    buttons->addWidget(m_cancelar);
    buttons->addWidget(m_fechar);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(m_pages);
    outer->addLayout(buttons);

    connect(m_gravar, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtGravarClick(); }); });
    connect(m_cancelar, &QPushButton::clicked, this, &TFormUser::reject);
    connect(m_fechar, &QPushButton::clicked, this, &TFormUser::accept);
    connect(m_checkSenha, &QCheckBox::clicked, this, [this] { CheckSenhaClick(); });
    connect(m_pages, &QTabWidget::currentChanged, this,
            [this] { app::setHelpTag(m_help, m_pages->currentWidget() == m_files ? 2074 : 2073); });
    new app::FieldNavigator(this);
    m_leave.watch({m_nome, m_fechadoAte, m_proxDias});
    m_leave.addWayOut(m_cancelar);
    m_leave.addWayOut(m_fechar);
}

QWidget *TFormUser::buildInfoPage()
{
    auto *page = new QWidget;
    m_cod = edit("DBEditCod", 5);
    m_cod->setReadOnly(true);
    m_cod->setFocusPolicy(Qt::NoFocus);
    m_nome = edit("DBEditNome", 50);
    m_checkSenha = new QCheckBox("Ativar Senha");
    m_checkSenha->setObjectName("CheckSenha");
    m_checkSenha->setProperty("navField", true);
    m_senha = edit("DBEditSenha", 10);
    m_redigitar = edit("EditSenha", 10);
    for (QLineEdit *e : {m_senha, m_redigitar})
        app::makePasswordField(e);
    m_endereco = edit("DBEditEndereco", 60);
    m_cidade = edit("DBEditCidadeUF", 30);
    auto *form = new QFormLayout(page);
    form->addRow("Código", m_cod);
    form->addRow("Nome do Usuário", m_nome);
    form->addRow(QString(), m_checkSenha);
    form->addRow("Senha", m_senha);
    form->addRow("Redigitar Senha", m_redigitar);
    form->addRow("Endereço", m_endereco);
    form->addRow("Cidade - UF", m_cidade);
    m_pages->addTab(page, "Informações do Usuário");
    return page;
}

QWidget *TFormUser::buildPrefsPage()
{
    auto *page = new QWidget;
    auto *l = new QVBoxLayout(page);
    auto *fin = new QGroupBox("Controle Financeiro");
    m_irPara = new QCheckBox("Ao iniciar o sistema, ir direto para o Controle Financeiro");
    m_irPara->setObjectName("DBCheckIrPara");
    m_irPara->setProperty("navField", true);
    (new QVBoxLayout(fin))->addWidget(m_irPara);
    auto *fech = new QGroupBox("Data de Permissão de Alterações");
    m_fechadoAte = edit("EditFechadoAte", 10);
    m_fechadoAte->setValidator(new app::CharsetValidator("0-9/", m_fechadoAte));
    auto *fl = new QHBoxLayout(fech);
    auto *fechLabel =
        new QLabel("Não permitir lançamentos nem   alterações em data igual ou anterior a:");
    fechLabel->setWordWrap(true);
    fl->addWidget(fechLabel, 1);
    fl->addWidget(m_fechadoAte);
    auto *fut = new QGroupBox("Lançamentos Futuros");
    m_proxDias = edit("EditProxDias", 3);
    m_proxDias->setValidator(app::numericChars(m_proxDias));
    m_proxDias->setMaximumWidth(40);
    m_incluirHoje = new QCheckBox("Incluindo os lançamentos do dia");
    m_incluirHoje->setObjectName("DBCheckIncluirHoje");
    m_incluirHoje->setProperty("navField", true);
    auto *ul = new QGridLayout(fut);
    const QString caption = "Visualizar lançamentos dos próximos           dias";
    const int split = caption.indexOf("           ");
    ul->addWidget(new QLabel(caption.left(split)), 0, 0);
    ul->addWidget(m_proxDias, 0, 1);
    ul->addWidget(new QLabel(caption.mid(split).trimmed()), 0, 2);
    ul->addWidget(m_incluirHoje, 1, 0, 1, 3);
    ul->setColumnStretch(3, 1);
    l->addWidget(fin);
    l->addWidget(fech);
    l->addWidget(fut);
    l->addStretch();
    m_pages->addTab(page, "Preferências do Usuário");
    return page;
}

QWidget *TFormUser::buildFilesPage()
{
    auto *page = new QWidget;
    auto *l = new QVBoxLayout(page);
    const struct
    {
        const char *group, *text, *button, *name;
        void (TFormUser::*click)();
    } rows[] = {
        {"Cópia de Segurança (Backup)",
         "Fazer Cópia de Segurança dos Arquivos de Dados deste Usuário", "Gravar Backup     ",
         "BtBackup", &TFormUser::BtBackupClick},
        {"Restaurar Cópia de Segurança", "", "Restaurar Backup", "BtRestore",
         &TFormUser::BtRestoreClick},
        {"Manutenção de Dados", "Reorganizar e Reindexar todos os Arquivos de Dados deste Usuário",
         "Reindexar Dados", "BtReindex", &TFormUser::BtReindexClick},
    };
    for (const auto &r : rows) {
        auto *g = new QGroupBox(r.group);
        auto *gl = new QHBoxLayout(g);
        auto *label = new QLabel(r.text);
        label->setWordWrap(true);
        gl->addWidget(label, 1);
        auto *b = new QPushButton(r.button);
        b->setObjectName(r.name);
        b->setAutoDefault(false);
        const auto click = r.click;
        connect(b, &QPushButton::clicked, this,
                [this, click] { app::guarded([this, click] { (this->*click)(); }); });
        gl->addWidget(b);
        l->addWidget(g);
    }
    l->addStretch();
    m_pages->addTab(page, "Backup e Reindexação dos Dados");
    return page;
}

TFormUserFiles &TFormUser::status()
{
    if (!m_status)
        m_status = new TFormUserFiles(this);
    return *m_status;
}

void TFormUser::BtBackupClick()
{
    BackupUsuario(m_dm, this, status());
}

void TFormUser::BtRestoreClick()
{
    if (RestoreUsuario(m_dm, this, status()))
        m_fecharTag = 1;
}

void TFormUser::BtReindexClick()
{
    ReindexarUsuario(m_dm, status());
}

void TFormUser::refreshCaption()
{
    setWindowTitle("Usuário: [" + m_dm.CodUsuario() + "  " + m_nome->text() + "]");
}

void TFormUser::loadRecord()
{
    data::Table *u = m_dm.TbUser;
    m_cod->setText(data::catalogue::codUsuario(int(u->asInt("Cod"))));
    m_nome->setText(u->asString("Nome"));
    m_checkSenha->setChecked(u->asBool("AtivarSenha"));
    // A stored password is never shown back; both fields start empty and, left empty, keep it.
    m_senha->clear();
    m_redigitar->clear();
    m_endereco->setText(u->asString("Endereco"));
    m_cidade->setText(u->asString("CidadeUF"));
    m_irPara->setChecked(u->asBool("IrPara"));
    m_fechadoAte->setText(app::formatDate(u->asDate("FechadoAte")));
    m_proxDias->setText(u->isNull("ProxDias") ? QString() : QString::number(u->asInt("ProxDias")));
    m_incluirHoje->setChecked(u->asBool("IncluirHoje"));
}

void TFormUser::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    app::placeDialog(this, app::mainWindow());
    const bool prefs = m_mode != 2;
    m_pages->setTabVisible(0, prefs);
    m_pages->setTabVisible(1, prefs);
    m_pages->setTabVisible(2, !prefs);
    m_gravar->setVisible(prefs);
    m_cancelar->setVisible(prefs);
    m_fechar->setVisible(!prefs);
    app::guarded([this, prefs] {
        loadRecord();
        refreshCaption();
        if (prefs)
            m_dm.TbUser->edit();
    });
    CheckSenhaClick();
    m_pages->setCurrentWidget(prefs ? m_info : m_files);
    (prefs ? m_cancelar : m_fechar)->setFocus();
}

void TFormUser::CheckSenhaClick()
{
    const bool on = m_checkSenha->isChecked();
    for (QLineEdit *e : {m_senha, m_redigitar}) {
        e->setEnabled(on);
        e->setStyleSheet(on ? QString() : "QLineEdit { background: #ECF4EC; }");
    }
}

bool TFormUser::checkField(QWidget *field)
{
    try {
        if (field == m_fechadoAte)
            readFechadoAte(m_fechadoAte->text());
        else if (field == m_proxDias)
            readProxDias(m_proxDias->text());
        else if (field == m_nome)
            refreshCaption();
    } catch (const app::Error &e) {
        app::Mensagem(e.text(), 0);
        m_pages->setCurrentWidget(field == m_fechadoAte || field == m_proxDias ? m_prefs : m_info);
        return false;
    }
    return true;
}

void TFormUser::focusProblem(const QString &message, const QString &field)
{
    m_pages->setCurrentWidget(m_info);
    app::Mensagem(message, 0);
    if (auto *w = findChild<QWidget *>(field))
        w->setFocus();
}

void TFormUser::BtGravarClick()
{
    // A mnemonic clicks without moving the focus: the field being edited is checked here too.
    if (!m_leave.checkFocused(m_gravar))
        return;
    if (!m_leave.leave(m_fechadoAte) || !m_leave.leave(m_proxDias))
        return;
    data::Table *u = m_dm.TbUser;
    const UserForm form{m_nome->text(), m_checkSenha->isChecked(), m_senha->text(),
                        m_redigitar->text(),
                        u->asBool("AtivarSenha") && !u->asString("Senha").isEmpty()};
    if (const auto problem = checkUserForm(form))
        return focusProblem(problem->message, problem->field);
    u->edit();
    u->setValue("Nome", m_nome->text());
    u->setValue("Endereco", m_endereco->text());
    u->setValue("CidadeUF", m_cidade->text());
    u->setValue("IrPara", m_irPara->isChecked());
    const auto fechado = readFechadoAte(m_fechadoAte->text());
    u->setValue("FechadoAte", fechado ? QVariant(*fechado) : QVariant());
    const auto dias = readProxDias(m_proxDias->text());
    u->setValue("ProxDias", dias ? QVariant(*dias) : QVariant());
    u->setValue("IncluirHoje", m_incluirHoje->isChecked());
    u->setValue("AtivarSenha", form.ativarSenha);
    if (!form.ativarSenha)
        u->setValue("Senha", QVariant());
    else if (!keepsStoredPassword(form))
        u->setValue("Senha", hashPassword(form.senha));
    u->post();
    QDialog::accept();
}

void TFormUser::done(int r)
{
    // Closing in any way while the record is still being edited drops the changes.
    app::guarded([this] { m_dm.TbUser->cancel(); });
    QDialog::done(r);
}

} // namespace users
