// The checks of the user's preferences dialog, over plain values: what the user typed, in the
// order the dialog runs them, each with its message and the field that receives the focus.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace users {

struct UserForm
{
    QString nome;
    bool ativarSenha = false;
    QString senha;     // typed in "Senha"
    QString redigitar; // typed in "Redigitar Senha"
    bool hasStoredPassword = false;
};

struct FormProblem
{
    QString message;
    QString field; // objectName of the field that receives the focus
};

// The save checks: empty name, then (with a password) length, characters and the retype.
// Leaving both password fields empty keeps a stored password. Empty optional: the form may be
// saved.
std::optional<FormProblem> checkUserForm(const UserForm &f);
// True when the form keeps the stored password (nothing typed in either field).
bool keepsStoredPassword(const UserForm &f);

// The field checks on leaving: a date "dd/MM/yyyy" (empty is no date) and a whole number of
// days (empty is none). They throw app::ConversionError with the program's conversion texts.
std::optional<QDate> readFechadoAte(const QString &text);
std::optional<int> readProxDias(const QString &text);

} // namespace users
