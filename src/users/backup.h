// Which table files a backup holds and how they are taken: the general backup (every user's
// tables, in the user list's order, then TbCfg and TbUser) and the user backup (the signed-in
// user's tables), each table listed from the catalogue. A table file is copied through SQLite's
// online backup API into a snapshot folder, so the stored bytes are a consistent database even
// while the program holds the table open. The file format is backupfile's.
#pragma once

#include "backupfile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace data {
class TDM;
}

namespace users {

// The table files of user `cod` ("0001"), in the catalogue's order.
QStringList userBackupNames(const QString &cod);
// Every user's files (codes in the given order), then "TbCfg.DB" and "TbUser.DB".
QStringList generalBackupNames(const QStringList &codes);
// The users' codes in TbUser's current order, from its records (the current one is kept).
QStringList userCodes(data::TDM &dm);

// What a restore accepts: a general backup holds whole sets of user files under any code plus
// TbCfg.DB and TbUser.DB, stored under their own names; a user backup of user `kind` holds only
// that user's files, stored under `cod`'s names.
NameRule generalNameRule();
int generalFileCount(const BackupHeader &h);
NameRule userNameRule(const QString &kind, const QString &cod);
int userFileCount(const BackupHeader &h);

// The default names offered by the save dialogs: "QuorvilaBackupGeral10Dez2026_210509.KBF" and
// "QuorvilaBackupDoUsuario0001.KBF".
QString generalBackupFileName(const QDateTime &now);
QString userBackupFileName(const QString &cod);

// Copies `names` from `dirDados` into `snapDir` through the online backup API. Throws
// BackupError Io when any of them is missing or cannot be read.
std::vector<BackupItem> snapshotTables(const QString &dirDados, const QStringList &names,
                                       const QString &snapDir);

// The two backups, written to `target` (replaced only when complete). The snapshots go to a
// temporary folder in DirTemp that is removed at the end. Throw BackupError with the message the
// user reads: the access message when a table cannot be read (nothing written), "Erro! Não foi
// possível gerar o Backup!" when writing fails (an earlier file of that name kept).
void makeGeneralBackup(data::TDM &dm, const QString &target, const QDateTime &now,
                       const Progress &progress = {});
void makeUserBackup(data::TDM &dm, const QString &target, const QDateTime &now,
                    const Progress &progress = {});

} // namespace users
