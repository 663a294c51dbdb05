// Restoring a backup without ever leaving the data folder half replaced:
//
// 1. stage: the whole backup is read into Dados/.quorvila-restauro (a hidden folder: in no
//    catalogue and no backup) with every check of backupfile, and each staged file must be a
//    database holding the table "Tabela" that passes PRAGMA integrity_check (a general backup's
//    TbUser must list exactly the users whose files it holds). Any fault removes the staging
//    folder; the data folder was never touched.
// 2. commit: a commit record ".pronto" appears atomically in the staging folder, naming the files
//    to move aside and the files to move in.
// 3. swap: the current files go to Dados/.quorvila-seguranca, then the staged ones into Dados.
//    A failure moves them back (the old files return) before the record goes.
// 4. clean: the record goes, then the safety and staging folders.
//
// recoverInterruptedRestore(), at every start before any table opens: with a record the swap is
// finished (the staged files are whole and checked); without one the staging and safety folders
// are leftovers and are removed. So after a kill at any point the folder holds either the old
// files or the new ones, whole.
#pragma once

#include "backupfile.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace data {
class TDM;
}

namespace users {

inline constexpr const char *kStagingFolder = ".quorvila-restauro";
inline constexpr const char *kSafetyFolder = ".quorvila-seguranca";
inline constexpr const char *kRestoreRecord = ".pronto";

// The messages for a backup of the wrong kind (path + the text naming the other menu path).
QString generalOfferedToUserText(const QString &path);
QString userOfferedToGeneralText(const QString &path);

// Checks the header for the general restore: throws BackupError (not a backup, another version,
// a user backup) with its message. Returns the header for the questions.
BackupHeader checkGeneralBackup(const QString &path);
// The same for the user restore (a general backup is refused).
BackupHeader checkUserBackup(const QString &path);

// Replaces every user's tables, TbCfg and TbUser by the backup's. Closes every table of `dm`
// first (the caller reopens the shared tables and signs in anew). Throws BackupError
// NotABackup for a backup refused while staging (nothing changed) and app::Error when the
// swap failed (the old files are back).
void restoreGeneral(data::TDM &dm, const QString &path, const Progress &progress = {});
// Replaces the signed-in user's tables by the backup's (under the signed-in user's code), then
// takes FechadoAte, DtMin and the OFX accounts from the header into the user's row. Closes the
// user's tables (the caller reopens them). Same failures as restoreGeneral.
void restoreUser(data::TDM &dm, const QString &path, const Progress &progress = {});

// See above. Returns true when it finished an interrupted swap. Throws StorageError when a file
// cannot be moved (the record stays for the next start).
bool recoverInterruptedRestore(const QString &dirDados);

// For tests: called before each rename of the swap with its number (0, 1, ...); a test's child
// process ends itself there to stand for a kill.
void setRestoreStepHook(std::function<void(int)> hook);

} // namespace users
