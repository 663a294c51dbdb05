// Passwords of the users: never stored as typed. Senha holds a salted hash of the password in
// upper case, so the comparison stays case-insensitive; the 4-to-10 letters-and-digits rule is
// checked here, with the messages the preferences dialog shows.
#pragma once

#include <QString>

namespace users {

// A salted hash of `password` upper-cased. Throws app::Error when hashing fails.
QString hashPassword(const QString &password);
// True when `typed`, upper-cased, is the password behind `storedHash`. An empty hash stands for
// "no password" and matches only empty text.
bool verifyPassword(const QString &storedHash, const QString &typed);

enum class PasswordProblem { None, TooShort, BadCharacters };
// The 4-to-10 letters-and-digits rule.
PasswordProblem checkPassword(const QString &password);

} // namespace users
