#include "UUserMng.h"

#include "UUserFiles.h"
#include "UUserMngEdit.h"
#include "filecommands.h"
#include "usermng.h"

#include <app/application.h>
#include <app/helptag.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>
#include <data/catalogue.h>
#include <data/gridlink.h>
#include <data/tablemodel.h>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace users {

namespace {

QPushButton *button(const QString &text, const char *name)
{
    auto *b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TFormUserMng::TFormUserMng(data::TDM &dm, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_editor(new TFormUserMngEdit(this)),
      m_status(new TFormUserFiles(this))
{
    setObjectName("TFormUserMng");
    setWindowTitle("Quorvila :: Gerenciar Usuários");
    setStyleSheet("QDialog#TFormUserMng { background: #D9EAD9; }");
    auto *pages = new QTabWidget;
    pages->setObjectName("PageControl1");
    pages->addTab(buildUsersPage(), "Gerenciar Usuários");
    pages->addTab(buildFilesPage(), "Backup Geral do Sistema");

    m_fechar = button("Fechar", "BtFechar");
    auto *help = button("?", "BtHelp");
    app::wireHelp(help, 2071);
    auto *verse = new QLabel("\"Procura conhecer o estado das tuas ovelhas e cuida bem dos teus "
                             "rebanhos.\" (Provérbios 27.23)");
    verse->setObjectName("LabelVersiculo");
    verse->setWordWrap(true);
    verse->setStyleSheet("QLabel { color: #808000; font-style: italic; }");
    auto *foot = new QHBoxLayout;
    foot->addWidget(verse, 1);
    foot->addWidget(help);
    foot->addWidget(m_fechar);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(pages);
    outer->addLayout(foot);
    connect(m_fechar, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumSize(620, 400);
}

TFormUserMng::~TFormUserMng() = default;

QWidget *TFormUserMng::buildUsersPage()
{
    auto *page = new QWidget;
    m_model =
        new data::TableModel(m_dm.TbUser,
                             {{"Cod", "Login", Qt::AlignLeft | Qt::AlignVCenter,
                               [](const QVariant &v) {
                                   return data::catalogue::codUsuario(int(v.toLongLong()));
                               }},
                              {"Nome", "Nome do Usuário", Qt::AlignLeft | Qt::AlignVCenter, {}},
                              {"snSenha", "Senha Ativa", Qt::AlignLeft | Qt::AlignVCenter, {}},
                              {"snAdmin", "Administrador", Qt::AlignLeft | Qt::AlignVCenter, {}}},
                             this);
    m_grid = new QTableView;
    m_grid->setObjectName("DBGridUser");
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->setColumnWidth(0, 50);
    m_grid->setColumnWidth(1, 250);
    m_grid->setColumnWidth(2, 90);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { app::guarded([this, c] { DBGridUserTitleClick(c); }); });
    m_link = new data::GridTableLink(m_grid, m_dm.TbUser, [] { return true; });
    connect(m_dm.TbUser, &data::Table::reset, m_link, &data::GridTableLink::followTable,
            Qt::QueuedConnection);

    auto *novo = button("&Criar Usuário", "BtNovo");
    auto *editar = button("&Editar", "BtEditar");
    auto *excluir = button("E&xcluir Usuário", "BtExcluir");
    connect(novo, &QPushButton::clicked, this, [this] { app::guarded([this] { BtNovoClick(); }); });
    connect(editar, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtEditarClick(); }); });
    connect(excluir, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtExcluirClick(); }); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(novo);
    buttons->addWidget(editar);
    buttons->addWidget(excluir);
    buttons->addStretch();
    auto *l = new QVBoxLayout(page);
    l->addLayout(buttons);
    l->addWidget(m_grid, 1);
    return page;
}

QWidget *TFormUserMng::buildFilesPage()
{
    auto *page = new QWidget;
    auto *l = new QVBoxLayout(page);
    const auto row = [&](QGroupBox *g, const QString &text, QPushButton *b) {
        auto *gl = new QHBoxLayout;
        auto *label = new QLabel(text);
        label->setWordWrap(true);
        gl->addWidget(label, 1);
        gl->addWidget(b);
        static_cast<QVBoxLayout *>(g->layout())->addLayout(gl);
    };
    auto *copia = new QGroupBox("Cópia de Segurança (Backup)");
    new QVBoxLayout(copia);
    auto *backup = button("Gravar Backup Geral     ", "BtBackup");
    auto *restore = button("Restaurar Backup Geral", "BtRestore");
    row(copia, "Fazer Cópia de Segurança de todos os Arquivos de Dados do sistema Quorvila",
        backup);
    row(copia, "Restaurar Cópia de Segurança", restore);
    auto *manut = new QGroupBox("Manutenção de Dados");
    new QVBoxLayout(manut);
    auto *reindex = button("Reindexar Todos os Dados", "BtReIndex");
    row(manut, "Reorganizar e Reindexar todos os Arquivos de Dados do sistema Quorvila", reindex);
    l->addWidget(copia);
    l->addWidget(manut);
    l->addStretch();
    connect(backup, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BackupGeral(m_dm, this, *m_status); }); });
    connect(restore, &QPushButton::clicked, this,
            [this] { app::guarded([this] { BtRestoreClick(); }); });
    connect(reindex, &QPushButton::clicked, this,
            [this] { app::guarded([this] { ReindexarTodos(m_dm, *m_status); }); });
    return page;
}

void TFormUserMng::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    app::placeDialog(this, app::mainWindow(), {68, -5});
    m_codUsuario = m_dm.CodUsuario();
    m_fecharTag = 0;
    app::guarded([this] { DBGridUserTitleClick(m_dm.TbCfg->asInt("UserOrder") != 0 ? 1 : 0); });
    m_grid->setFocus();
}

void TFormUserMng::done(int r)
{
    if (m_fecharTag == 0)
        app::guarded([this] { m_dm.TbUser->locate("Cod", m_codUsuario.toInt()); });
    QDialog::done(r);
}

void TFormUserMng::DBGridUserTitleClick(int column)
{
    if (column > 1)
        return;
    QHeaderView *h = m_grid->horizontalHeader();
    h->setStyleSheet(QString("QHeaderView::section:horizontal:%1 { background: #D9EAD9; }")
                         .arg(column == 0 ? "first" : "middle"));
    data::Table *u = m_dm.TbUser;
    const QVariant cod = u->isEmpty() ? QVariant() : u->value("Cod");
    u->setIndexName(column == 0 ? QString() : "IdxNome");
    if (cod.isValid())
        u->locate("Cod", cod);
    if (m_dm.TbCfg->asInt("UserOrder") != column) {
        m_dm.TbCfg->edit();
        m_dm.TbCfg->setValue("UserOrder", column);
        m_dm.TbCfg->post();
    }
}

void TFormUserMng::BtNovoClick()
{
    data::Table *u = m_dm.TbUser;
    const int cod = nextUserCode(m_dm);
    QStringList users;
    for (int i = 0; i < u->recordCount(); ++i) {
        const data::Record r = u->recordAt(i);
        users << comboText(int(r.values.value(u->def().indexOf("Cod")).toLongLong()),
                           r.values.value(u->def().indexOf("Nome")).toString());
    }
    OfxDefaults ofx;
    if (!u->isEmpty())
        ofx = {u->value("Cta0OFX"), u->value("Cta1OFX"), u->value("Cta2OFX"), u->asBool("OkOFX")};
    m_editor->prepareCreate(cod, users);
    m_editor->exec();
    if (m_editor->okTag() != 1)
        return;
    const UserEdit v = m_editor->values();
    const QString label = data::catalogue::codUsuario(cod) + " " + v.nome;
    if (app::Mensagem("Você tem certeza que deseja criar o usuário\r\n\r\n[" + label + "]" +
                          "\r\n\r\n" + "e todos os arquivos necessários para que ele possa" +
                          "\r\n" + "usar o sistema Quorvila :: Finanças Pessoais?",
                      2) != app::MsgButton::Yes) {
        app::Mensagem("Usuário não foi criado!", 0);
        return;
    }
    {
        app::WaitCursor wait;
        createUser(m_dm, cod, v, m_editor->fromCod(), ofx);
    }
    app::Mensagem("Novo usuário criado com sucesso.\r\n\r\nPara acessar o sistema com este "
                  "usuário,\r\nclique no menu Arquivo/Alternar Usuário\r\ne selecione o novo "
                  "usuário!",
                  0);
}

void TFormUserMng::BtEditarClick()
{
    data::Table *u = m_dm.TbUser;
    if (u->isEmpty()) {
        app::Mensagem("Nenhum Usuário para Editar!", 0);
        return;
    }
    const int cod = int(u->asInt("Cod"));
    const bool stored = u->asBool("AtivarSenha") && !u->asString("Senha").isEmpty();
    m_editor->prepareEdit(
        cod, {u->asString("Nome"), u->asBool("AtivarSenha"), {}, {}, u->asBool("Admin")}, stored,
        data::catalogue::codUsuario(cod) == m_codUsuario);
    m_editor->exec();
    if (m_editor->okTag() == 1)
        updateUser(m_dm, m_editor->values(), m_editor->hasStoredPassword());
    m_grid->setFocus();
}

void TFormUserMng::BtExcluirClick()
{
    data::Table *u = m_dm.TbUser;
    if (u->isEmpty()) {
        app::Mensagem("Nenhum Usuário para Editar!", 0);
        return;
    }
    const int cod = int(u->asInt("Cod"));
    const QString nome = u->asString("Nome");
    if (data::catalogue::codUsuario(cod) == m_codUsuario) {
        app::Mensagem("Exclusão deste usuário não permitida.\r\nVocê não pode excluir o usuário "
                      "corrente.\r\n\r\nPara excluir este usuário, outro usuário\r\ncom "
                      "privilégios de Administrador\r\ndeve acessar o sistema e fazer a exclusão!",
                      0);
        return;
    }
    if (app::Mensagem("Você tem certeza que deseja excluir\r\no usuário [" +
                          data::catalogue::codUsuario(cod) + " " + nome + "]" + "\r\n" +
                          "e todos os arquivos e informações" + "\r\ndigitadas por esse usuário?" +
                          "\r\n\r\n" + "Recomendamos que faça um backup dos" + "\r\n" +
                          "dados antes da exclusão, pois não será mais" + "\r\n" +
                          "possível recuperar estes dados pelo sistema!",
                      2) != app::MsgButton::Yes) {
        app::Mensagem("Usuário [" + nome + "]" + "\r\n" + "não foi excluído!", 0);
        return;
    }
    bool ok;
    {
        app::WaitCursor wait;
        ok = deleteUser(m_dm, cod);
    }
    if (!ok)
        app::Mensagem("Erro ao excluir arquivos do usuário!\r\nArquivos podem estar corrompidos.",
                      0);
    else
        app::Mensagem("Usuário [" + nome + "]" + "\r\n" + "foi excluído com sucesso!", 0);
    m_grid->setFocus();
}

void TFormUserMng::BtRestoreClick()
{
    if (!RestoreGeral(m_dm, this, *m_status))
        return;
    m_fecharTag = 1;
    accept();
}

} // namespace users
