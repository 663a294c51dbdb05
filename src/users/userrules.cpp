#include "userrules.h"

#include "password.h"

#include <app/dates.h>
#include <app/error.h>

namespace users {

bool keepsStoredPassword(const UserForm &f)
{
    return f.ativarSenha && f.hasStoredPassword && f.senha.isEmpty() && f.redigitar.isEmpty();
}

std::optional<FormProblem> checkUserForm(const UserForm &f)
{
    if (f.nome.trimmed().isEmpty())
        return FormProblem{"O \"Nome do Usuário\"\r\ndeve ser preenchido!", "DBEditNome"};
    if (!f.ativarSenha || keepsStoredPassword(f))
        return std::nullopt;
    switch (checkPassword(f.senha)) {
    case PasswordProblem::TooShort:
        return FormProblem{"A Senha deve ter pelo\r\nmenos 4 caracteres. Verifique!",
                           "DBEditSenha"};
    case PasswordProblem::BadCharacters:
        return FormProblem{"Para a Senha são permitidos apenas letras e dígitos!\r\nVocê não pode "
                           "usar espaços e caracteres especiais.\r\nEscolha outra senha!",
                           "DBEditSenha"};
    case PasswordProblem::None:
        break;
    }
    if (f.senha.toUpper() != f.redigitar.toUpper())
        return FormProblem{"A Redigitação da Senha não\r\nconfere com a Senha. Verifique!",
                           "EditSenha"};
    return std::nullopt;
}

std::optional<QDate> readFechadoAte(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == "/  /")
        return std::nullopt;
    const QDate d = app::parseDate(t);
    if (!d.isValid())
        QUORVILA_THROW(app::ConversionError, QString("Data '%1' inválida. Verifique!").arg(t));
    return d;
}

std::optional<int> readProxDias(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok)
        QUORVILA_THROW(app::ConversionError,
                       QString("'%1' não é um valor inteiro válido. Verifique!").arg(t));
    return n;
}

} // namespace users
