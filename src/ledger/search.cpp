#include "search.h"

#include <QRegularExpression>

namespace ledger {

SearchKey parseSearch(const QString &text)
{
    QString t = text.trimmed();
    t.replace(',', '.');
    if (t.isEmpty())
        return {};
    static const QRegularExpression account(R"(^\d(\.\d\d(\.\d\d)?)?$)");
    if (account.match(t).hasMatch())
        return {SearchKey::Kind::Account, t, 0};
    bool ok = false;
    const int n = t.toInt(&ok);
    if ((t.size() == 2 || t.size() == 3) && ok)
        return {SearchKey::Kind::Reduced, {}, n};
    return {SearchKey::Kind::Invalid, t, 0};
}

QString searchEmptyText()
{
    return "Por favor, digite a Conta ou o\r\nCódigo Reduzido que deseja Localizar!";
}

QString searchInvalidText(const QString &text)
{
    return "'" + text + "' não é uma Conta válida e também" + "\r\n" +
           "não é um Código Reduzido válido!" + "\r\n" + "Por favor, verifique.";
}

QString accountNotFoundText(const QString &code)
{
    return "Conta '" + code + "' não encontrada!";
}

QString reducedNotFoundText(int number)
{
    return "Código '" + QString::number(number) + "' não encontrado!";
}

} // namespace ledger
