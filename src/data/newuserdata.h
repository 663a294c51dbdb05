// The data a new installation and a new user start with: the shared tables with their first
// records, a user's eight tables, the starting chart, asset categories and histories, the sample
// entries of the first user, and the removal of a user's tables. Creation is all or nothing.
#pragma once

#include "database.h"
#include "filebatch.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace data {

// Each adds its files to `batch`; nothing is visible until the batch commits.
void CriarTbCfgTbUser(FileBatch &batch);
void CriarArquivos(FileBatch &batch, const QString &codUsuario);
void CopiarTabelasAuxiliaresQuorvila(FileBatch &batch, const QString &codUsuario);
// Copies chart, asset categories and histories of user `fromCod` (whose files must exist).
void CopiarTabelasDeOutroUsuario(FileBatch &batch, const QString &codUsuario,
                                 const QString &fromCod);
// The five sample entries around the first day of `today`'s month.
void CriarLancamentosDeExemplo(FileBatch &batch, const QString &codUsuario, const QDate &today);

// Drops the eight tables of a user, skipping missing files; false when a file could not be
// removed (the ones before it are gone). Every table of that user must be closed.
bool DeleteUserFiles(Database &db, const QString &codUsuario);

// The first-run installation: TbCfg, TbUser and user 0001 with its starting data and sample
// entries, all or nothing. Throws StorageError and leaves DirDados untouched on failure; refuses
// (StorageError with foreignUserFilesText) when DirDados holds any user's table files, so that a
// new installation never overwrites or hides them.
void installFirstRun(Database &db, const QDate &today);
// True when neither TbCfg.DB nor TbUser.DB exists: the first-run installation is due.
bool firstRunNeeded(const Database &db);

// The files of the first-run installation, in the order the installation creates them (TbCfg,
// TbUser, then the eight tables of user 0001); its commit renames them in the reverse order.
QStringList firstRunFiles();
// The table files of users present in DirDados ("Tb" + a code + one of the eight table names +
// ".DB", in any case), sorted.
QStringList userTableFiles(const Database &db);
// The refusal shown when TbCfg.DB and TbUser.DB are missing but users' files are there.
QString foreignUserFilesText(const QString &dirDados, const QStringList &files);

// At every start, before firstRunNeeded and before any table is opened: finishes or undoes a
// creation of files that was interrupted (a killed process, a power loss), so that the start
// after any interruption either installs cleanly or finds the installation as it was. Returns
// the names it put in place. See the rule in newuserdata.cpp. Throws StorageError when a file
// cannot be renamed or removed.
QStringList recoverInterruptedCreation(Database &db);

// The starting data as the program holds it: fixed-width lines (chart: columns 1-7 the code,
// 8-10 the reduced code or blanks, 11 on the name; categories: 1-2 code, 3 on name; histories:
// 1-3 code, 4 on text).
const QStringList &modeloPlanoDeContas();
const QStringList &modeloCategoriasDeBens();
const QStringList &modeloHistoricos();

} // namespace data
