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

// The open dialog and the header of a restore's file; false when cancelled or (with its message
// shown) when the file is refused.
bool chooseBackup(QWidget *parent, TFormUserFiles &status, BackupHeader (*check)(const QString &),
                  QString &path, BackupHeader &h)
{
    status.Tag = 0;
    path = app::askOpenFileName(parent, kFilter, "KBF");
    if (path.isEmpty())
        return false;
    try {
        h = check(path);
        return true;
    } catch (const BackupError &e) {
        app::Mensagem(e.text(), 0);
        return false;
    }
}

struct BackupTexts
{
    QString question, proposed, title, caption, done;
};

// Question, save dialog, progress window, the backup itself and its closing message.
void runBackup(const BackupTexts &t, QWidget *parent, TFormUserFiles &status,
               const std::function<void(const QString &, const Progress &)> &make)
{
    if (app::Mensagem(t.question, 1) != app::MsgButton::Yes)
        return;
    const QString path = app::askSaveFileName(parent, t.proposed, kFilter, "KBF", t.title);
    if (path.isEmpty())
        return;
    status.start(t.caption, "Campactando dados e gerando arquivo",
                 QFileInfo(path).fileName() + "...");
    try {
        app::WaitCursor wait;
        make(path, status.progress());
    } catch (const BackupError &e) {
        status.finish();
        app::Mensagem(e.text(), 0);
        return;
    }
    status.finish();
    app::Mensagem(t.done + native(path) + "!", 0);
}

void runReindex(const QString &question, const QString &line, TFormUserFiles &status,
                const std::function<ReindexOutcome(const Progress &)> &run)
{
    if (app::Mensagem(question, 1) != app::MsgButton::Yes)
        return;
    status.start("Status", line, QString());
    ReindexOutcome r;
    {
        app::WaitCursor wait;
        r = run(status.progress());
    }
    status.finish();
    app::Mensagem(r.message(), 0);
}

} // namespace

void BackupGeral(data::TDM &dm, QWidget *parent, TFormUserFiles &status)
{
    const QDateTime now = QDateTime::currentDateTime();
    runBackup({"Gravar Backup de todos os arquivos\r\nde dados do sistema Quorvila?",
               generalBackupFileName(now), "Gravar Backup Geral no Arquivo:",
               "Status do Backup Geral", "Ok. Backup Geral gravado no arquivo\r\n"},
              parent, status,
              [&](const QString &path, const Progress &p) { makeGeneralBackup(dm, path, now, p); });
}

bool RestoreGeral(data::TDM &dm, QWidget *parent, TFormUserFiles &status)
{
    QString path;
    BackupHeader h;
    if (!chooseBackup(parent, status, checkGeneralBackup, path, h))
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
    runReindex("Reindexar todos os arquivos\r\nde dados do sistema Quorvila?",
               "Reindexando todos os arquivos de dados...", status,
               [&](const Progress &p) { return reindexAll(dm, p); });
}

void BackupUsuario(data::TDM &dm, QWidget *parent, TFormUserFiles &status)
{
    runBackup({"Gravar Backup dos arquivos do usuário\r\n[" + signedIn(dm) + "]?",
               userBackupFileName(dm.CodUsuario()), "Gravar Backup no Arquivo:", "Status do Backup",
               "Ok. Backup do usuário foi gravado no arquivo\r\n"},
              parent, status, [&](const QString &path, const Progress &p) {
                  makeUserBackup(dm, path, QDateTime::currentDateTime(), p);
              });
}

bool RestoreUsuario(data::TDM &dm, QWidget *parent, TFormUserFiles &status)
{
    QString path;
    BackupHeader h;
    if (!chooseBackup(parent, status, checkUserBackup, path, h))
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
    runReindex("Reindexar arquivos do usuário\r\n[" + signedIn(dm) + "]?",
               "Reindexando arquivos...", status,
               [&](const Progress &p) { return reindexUser(dm, p); });
}

} // namespace users
