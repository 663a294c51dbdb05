// The data-file commands as the user runs them, from the user-management screen (general backup,
// general restore, reindexing everything) and from the user's files page (the signed-in user's
// backup, restore and reindexing): the questions, the file dialogs, the progress window and the
// closing messages around the rules of backup, restore and maintenance.
#pragma once

class QWidget;

namespace data {
class TDM;
}

namespace users {

class TFormUserFiles;

void BackupGeral(data::TDM &dm, QWidget *parent, TFormUserFiles &status);
// True when the backup replaced the installation: the shared tables are open again on it and a
// user must sign in anew.
bool RestoreGeral(data::TDM &dm, QWidget *parent, TFormUserFiles &status);
void ReindexarTodos(data::TDM &dm, TFormUserFiles &status);

void BackupUsuario(data::TDM &dm, QWidget *parent, TFormUserFiles &status);
// True when the signed-in user's data were replaced (their tables are open again).
bool RestoreUsuario(data::TDM &dm, QWidget *parent, TFormUserFiles &status);
void ReindexarUsuario(data::TDM &dm, TFormUserFiles &status);

} // namespace users
