#include "password.h"

#include <app/error.h>

#include <QRegularExpression>

#include <sodium.h>

namespace users {

static void ensureSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        QUORVILA_THROW(app::Error, QString("Erro ao inicializar a biblioteca de senhas."));
}

QString hashPassword(const QString &password)
{
    ensureSodium();
    const QByteArray p = password.toUpper().toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, p.constData(), quint64(p.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        QUORVILA_THROW(app::Error, QString("Erro ao gravar a senha."));
    return QString::fromLatin1(out);
}

bool verifyPassword(const QString &storedHash, const QString &typed)
{
    if (storedHash.isEmpty())
        return typed.isEmpty();
    ensureSodium();
    const QByteArray h = storedHash.toLatin1();
    const QByteArray p = typed.toUpper().toUtf8();
    return crypto_pwhash_str_verify(h.constData(), p.constData(), quint64(p.size())) == 0;
}

PasswordProblem checkPassword(const QString &password)
{
    if (password.size() <= 3)
        return PasswordProblem::TooShort;
    static const QRegularExpression ok("^[A-Za-z0-9]{4,10}$");
    if (!ok.match(password).hasMatch())
        return PasswordProblem::BadCharacters;
    return PasswordProblem::None;
}

} // namespace users
