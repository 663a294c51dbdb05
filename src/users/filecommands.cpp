#include "filecommands.h"

#include "UUserFiles.h"
#include "backup.h"
#include "maintenance.h"
#include "restore.h"

#include <app/csvsave.h>
#include <app/dates.h>
#include <app/mensagem.h>
#include <app/waitcursor.h>
#include <data/UDM.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace users {

namespace {

const char *const kFilter = "Quorvila Backup (*.KBF *.kbf)";

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString signedIn(data::TDM &dm)
{
    return dm.CodUsuario() + " " + dm.TbUser->asString("Nome");
}

// After a restore that did not happen (or once it did), the tables as the signed-in user needs
// them: the shared ones in the saved order, TbUser on `cod`, the user's own.
void reopen(data::TDM &dm, const QString &cod, bool userTables)
{
    if (!dm.TbCfg->isActive() || !dm.TbUser->isActive()) {
        dm.openSharedTables();
        dm.TbUser->setIndexName(dm.TbCfg->asInt("UserOrder") != 0 ? "IdxNome" : "");
    }
    dm.TbUser->locate("Cod", cod.toInt());
    if (userTables) {
        dm.pointUserTables(cod);
        dm.OpenUserFiles();
    }
}

// Reads the header for a restore; false (with its message shown) when the file is refused.
template <class Check> bool header(const QString &path, Check check, BackupHeader &h)
{
    try {
        h = check(path);
        return true;
    } catch (const BackupError &e) {
        app::Mensagem(e.text(), 0);
        return false;
    }
}

} // namespace

void BackupGeral(data::TDM &dm, QWidget *parent, TFormUserFiles &status)
{
    if (app::Mensagem("Gravar Backup de todos os arquivos\r\nde dados do sistema Quorvila?", 1) !=
        app::MsgButton::Yes)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QString path = app::askSaveFileName(parent, generalBackupFileName(now), kFilter, "KBF",
                                              "Gravar Backup Geral no Arquivo:");
    if (path.isEmpty())
        return;
    status.start("Status do Backup Geral", "Campactando dados e gerando arquivo",
                 QFileInfo(path).fileName() + "...");
    try {
        app::WaitCursor wait;
        makeGeneralBackup(dm, path, now, status.progress());
    } catch (const BackupError &e) {
        status.finish();
        app::Mensagem(e.text(), 0);
        return;
    }
    status.finish();
    app::Mensagem("Ok. Backup Geral gravado no arquivo\r\n" + native(path) + "!", 0);
}

bool RestoreGeral(data::TDM &dm, QWidget *parent, TFormUserFiles &status)
{
    status.Tag = 0;
    const QString path = app::askOpenFileName(parent, kFilter, "KBF");
    if (path.isEmpty())
        return false;
    BackupHeader h;
    if (!header(path, checkGeneralBackup, h))
        return false;
    const QString name = QFileInfo(path).fileName();
    if (app::Mensagem(native(path) + "\r\n\r\n" + "Este arquivo de Backup Geral contém dados de" +
                          "\r\n" + QString::number(h.userCount) + " usuário(s) e foi gerado em " +
                          h.date + " às " + h.time + "!" + "\r\n\r\n" +
                          "Recomendamos que seja feito um Backup dos" + "\r\n" +
                          "dados atuais antes da restauração, pois não será mais" + "\r\n" +
                          "possível recuperar estes dados pelo sistema!" + "\r\n\r\n" +
                          "Deseja realmente restaurar este arquivo de Backup?",
                      2) != app::MsgButton::Yes ||
        app::Mensagem("Todos arquivos do sistema serão apagados\r\ne substituídos pelos dados do "
                      "arquivo de Backup\r\n" +
                          name + "." + "\r\n\r\n" + "Por isso, após a restauração do arquivo," +
                          "\r\n" + "a janela de Login será aberta para" + "\r\n" +
                          "que seja selecionado outro usuário." + "\r\n\r\n" +
                          "Tem certeza que deseja continuar?",
                      2) != app::MsgButton::Yes) {
        app::Mensagem("Backup não foi Restaurado!", 0);
        return false;
    }
    const QString cod = dm.CodUsuario();
    status.start("Status de Restauração", "Restaurando dados do arquivo", name + "...");
    try {
        app::WaitCursor wait;
        restoreGeneral(dm, path, status.progress());
        dm.openSharedTables();
        dm.TbUser->setIndexName(dm.TbCfg->asInt("UserOrder") != 0 ? "IdxNome" : "");
    } catch (const app::Error &e) {
        status.finish();
        app::noThrow("general restore: reopening", [&] { reopen(dm, cod, true); });
        app::Mensagem("Erro ao Restaurar Backup Geral.\r\n\r\n" + e.text() +
                          "\r\n\r\nOs arquivos de dados atuais foram mantidos.",
                      0);
        return false;
    }
    status.finish();
    status.Tag = 1;
    app::Mensagem("Backup Geral Restaurado!", 0);
    return true;
}

void ReindexarTodos(data::TDM &dm, TFormUserFiles &status)
{
    if (app::Mensagem("Reindexar todos os arquivos\r\nde dados do sistema Quorvila?", 1) !=
        app::MsgButton::Yes)
        return;
    status.start("Status", "Reindexando todos os arquivos de dados...", QString());
    ReindexOutcome r;
    {
        app::WaitCursor wait;
        r = reindexAll(dm, status.progress());
    }
    status.finish();
    app::Mensagem(r.message(), 0);
}

void BackupUsuario(data::TDM &dm, QWidget *parent, TFormUserFiles &status)
{
    if (app::Mensagem("Gravar Backup dos arquivos do usuário\r\n[" + signedIn(dm) + "]?", 1) !=
        app::MsgButton::Yes)
        return;
    const QString path = app::askSaveFileName(parent, userBackupFileName(dm.CodUsuario()), kFilter,
                                              "KBF", "Gravar Backup no Arquivo:");
    if (path.isEmpty())
        return;
    status.start("Status do Backup", "Campactando dados e gerando arquivo",
                 QFileInfo(path).fileName() + "...");
    try {
        app::WaitCursor wait;
        makeUserBackup(dm, path, QDateTime::currentDateTime(), status.progress());
    } catch (const BackupError &e) {
        status.finish();
        app::Mensagem(e.text(), 0);
        return;
    }
    status.finish();
    app::Mensagem("Ok. Backup do usuário foi gravado no arquivo\r\n" + native(path) + "!", 0);
}

bool RestoreUsuario(data::TDM &dm, QWidget *parent, TFormUserFiles &status)
{
    status.Tag = 0;
    const QString path = app::askOpenFileName(parent, kFilter, "KBF");
    if (path.isEmpty())
        return false;
    BackupHeader h;
    if (!header(path, checkUserBackup, h))
        return false;
    const QString name = QFileInfo(path).fileName();
    if (app::Mensagem("Este arquivo de Backup contém dados\r\ndo usuário [" + h.kind + " " +
                          h.nome + "]" + "\r\n" + "e foi gerado em " + h.date + " às " + h.time +
                          "!" + "\r\n\r\n" + "Deseja realmente restaurar este Backup?",
                      2) != app::MsgButton::Yes ||
        app::Mensagem("Os dados atuais do usuário\r\n[" + signedIn(dm) + "]" + "\r\n" +
                          "serão apagados e substituídos" + "\r\n" +
                          "pelos dados do arquivo de Backup" + "\r\n" + name + "." + "\r\n\r\n" +
                          "Tem certeza que deseja continuar?",
                      2) != app::MsgButton::Yes) {
        app::Mensagem("Backup não foi Restaurado!", 0);
        return false;
    }
    const QString cod = dm.CodUsuario();
    status.start("Status de Restauração", "Restaurando dados do arquivo", name + "...");
    bool ok = true;
    QString why;
    try {
        app::WaitCursor wait;
        restoreUser(dm, path, status.progress());
    } catch (const app::Error &e) {
        ok = false;
        why = e.text();
    }
    app::noThrow("user restore: reopening", [&] { reopen(dm, cod, true); });
    status.finish();
    if (!ok) {
        app::Mensagem("Erro ao Restaurar Backup.\r\n\r\n" + why +
                          "\r\n\r\nOs arquivos de dados atuais foram mantidos.",
                      0);
        return false;
    }
    status.Tag = 1;
    app::Mensagem("Backup Restaurado!", 0);
    return true;
}

void ReindexarUsuario(data::TDM &dm, TFormUserFiles &status)
{
    if (app::Mensagem("Reindexar arquivos do usuário\r\n[" + signedIn(dm) + "]?", 1) !=
        app::MsgButton::Yes)
        return;
    status.start("Status", "Reindexando arquivos...", QString());
    ReindexOutcome r;
    {
        app::WaitCursor wait;
        r = reindexUser(dm, status.progress());
    }
    status.finish();
    app::Mensagem(r.message(), 0);
}

} // namespace users
