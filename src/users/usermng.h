// Creating, editing and deleting users over TbUser and the users' table files, without a
// screen. A new user's tables and starting data are made first, all or nothing (a FileBatch);
// the TbUser row is written only when they are all in place, and a failure of that write removes
// them again. The checks of the user editor are userrules' plus the editor's own.
#pragma once

#include "userrules.h"

#include <QString>

#include <optional>

namespace data {
class TDM;
}

namespace users {

// The highest code in TbUser + 1 (1 for an empty list), whatever the list's order.
int nextUserCode(data::TDM &dm);

// The user editor's values.
struct UserEdit
{
    QString nome;
    bool ativarSenha = false;
    QString senha, redigitar; // as typed
    bool admin = false;
};

// The editor's checks: the name, the password (as userrules), then, when creating from another
// user's files, that a user is chosen. `keepsStored`: editing a user whose password is stored.
std::optional<FormProblem> checkUserMngForm(const UserEdit &e, bool keepsStored, bool creating,
                                            bool fromUser, bool userChosen);

// Creates user `cod`: its tables with the starting data ("dos Modelos", `fromCod` empty) or with
// the chart, categories and histories of user `fromCod`; then its TbUser row with the editor's
// values, the starting flags and the OFX values of `ofxFrom` (the row selected in the list;
// OkOFX true when there is none). Throws StorageError when any table file of `cod` already
// exists or anything fails; nothing of the user is left then. TbUser ends on the new row.
struct OfxDefaults
{
    QVariant cta0, cta1, cta2;
    bool okOfx = true;
};
void createUser(data::TDM &dm, int cod, const UserEdit &e, const QString &fromCod,
                const OfxDefaults &ofx);

// Writes the editor's values into TbUser's current row (which must be user `cod`).
void updateUser(data::TDM &dm, const UserEdit &e, bool keepsStored);

// Deletes user `cod`'s files and, when all are gone, its TbUser row. False (row kept) when a file
// could not be removed.
bool deleteUser(data::TDM &dm, int cod);

// The text of ComboUser's entry for a user: "0003 Nome".
QString comboText(int cod, const QString &nome);

} // namespace users
