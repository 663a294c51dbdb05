#include "entryrules.h"

#include "period.h"

#include <app/dates.h>
#include <app/format.h>

namespace entries {

int accountGroup(qint64 codRed)
{
    const QString three = QString("%1").arg(codRed, 3, 10, QChar('0'));
    return three[0].digitValue();
}

std::optional<app::Money> valorFromText(const QString &text)
{
    QString t = text;
    t.remove(app::kThousandSeparator);
    if (t.trimmed().isEmpty())
        return app::Money();
    return app::parseMoney(t);
}

std::optional<QString> dateTextProblem(const QString &text)
{
    if (text.trimmed().isEmpty() || app::parseDate(text).isValid())
        return std::nullopt;
    return QString("Data '%1' inválida. Verifique!").arg(text.trimmed());
}

std::optional<QString> valorTextProblem(const QString &text)
{
    if (const auto valor = valorFromText(text)) {
        if (app::amountInRange(valor->centavos()))
            return std::nullopt;
        return "O \"Valor\" do lançamento está acima do máximo permitido!\r\n" +
               app::maxAmountText();
    }
    return QString("'%1' não é um número válido para o campo '%2'.\r\nLembre-se de não digitar "
                   "o separador de milhar")
        .arg(text, "Valor");
}

QString unknownAccountMessage(EntryField field)
{
    const QString name = field == EntryField::CtaDeb ? "Conta Destino" : "Conta Origem";
    return "Este código de \"" + name + "\"\r\né inexistente. Redigite!";
}

QString closedDateMessage(const QDate &fechadoAte)
{
    return "Lançamento nesta data não permitido!\r\n\r\nPeríodo até " +
           app::formatDate(fechadoAte, "dd/MM/yyyy") + " não pode ser alterado," + "\r\n" +
           "conforme a Data de Permissão de Alterações informada" + "\r\n" +
           "nas Preferências do Usuário. Para alterar, acesse o menu" + "\r\n" +
           "Usuários/Informações e Preferências do Usuário!";
}

QString hstoNotFoundMessage()
{
    return "Código de \"Histórico\" não foi encontrado!";
}

static std::optional<EntryProblem> checkDate(const EntryInput &in, const EntryContext &c)
{
    if (in.dataText.trimmed().isEmpty())
        return EntryProblem{EntryField::Data, "Você precisa digitar\r\na \"Data\" do lançamento!"};
    if (const auto p = dateTextProblem(in.dataText))
        return EntryProblem{EntryField::Data, *p};
    if (c.panelEnabled && entryClosed(app::parseDate(in.dataText), c.fechadoAte))
        return EntryProblem{EntryField::Data, closedDateMessage(c.fechadoAte)};
    return std::nullopt;
}

static std::optional<EntryProblem> checkAccounts(const EntryInput &in)
{
    if (in.ctaDeb <= 0)
        return EntryProblem{EntryField::CtaDeb, "\"Conta Destino\" deve ser preenchida!"};
    if (in.ctaCred <= 0)
        return EntryProblem{EntryField::CtaCred, "\"Conta Origem\" deve ser preenchida!"};
    // An entry must never name an account the chart does not have, even when its code was
    // never typed in this editor (an entry opened with a code that has since gone).
    if (!in.ctaDebKnown)
        return EntryProblem{EntryField::CtaDeb, unknownAccountMessage(EntryField::CtaDeb)};
    if (!in.ctaCredKnown)
        return EntryProblem{EntryField::CtaCred, unknownAccountMessage(EntryField::CtaCred)};
    // Double entry allows balance->balance, balance->expense and income->balance only.
    const int deb = accountGroup(in.ctaDeb), cred = accountGroup(in.ctaCred);
    if (deb == 1)
        return EntryProblem{EntryField::CtaDeb,
                            "\"Conta Destino\" não pode ser uma conta de Receita (1.xx.xx).\r\n"
                            "Digite uma conta de Despesa ou uma conta de Saldo!"};
    if (cred == 2)
        return EntryProblem{EntryField::CtaCred,
                            "\"Conta Origem\" não pode ser uma conta de Despesa (2.xx.xx).\r\n"
                            "Digite uma conta de Receita ou uma conta de Saldo!"};
    if (deb == 2 && cred == 1)
        return EntryProblem{EntryField::CtaDeb, "A \"Conta Destino\" ou a \"Conta Origem\"\r\n"
                                                "precisa ser uma conta de Saldo (0.xx.xx)."};
    return std::nullopt;
}

std::optional<EntryProblem> checkEntry(const EntryInput &in, const EntryContext &c)
{
    if (auto p = checkDate(in, c))
        return p;
    if (auto p = checkAccounts(in))
        return p;
    if (const auto p = valorTextProblem(in.valorText))
        return EntryProblem{EntryField::Valor, *p};
    if (*valorFromText(in.valorText) <= app::Money())
        return EntryProblem{EntryField::Valor,
                            "O \"Valor\" do lançamento\r\ndeve ser maior que zero!"};
    if (in.hsto.trimmed().isEmpty())
        return EntryProblem{EntryField::Hsto,
                            "O \"Histórico/Descrição do Lançamento\"\r\ndeve ser preenchido!"};
    return std::nullopt;
}

DateShade dateShade(const DateShadeInput &in)
{
    if (in.data.isValid() && in.panelEnabled && entryClosed(in.data, in.fechadoAte))
        return DateShade::Closed;
    const DateRange month = CalcularMes(in.data);
    if (!in.data.isValid() || in.dataText == in.openingText || month.ini == in.dtIni)
        return DateShade::Normal;
    if (in.dtIni.isValid() && month.ini.daysTo(in.dtIni) > 100)
        return DateShade::Far;
    if (in.dtFim.isValid() && in.dtFim.daysTo(month.fim) > 100)
        return DateShade::Far;
    return DateShade::Other;
}

QString dateShadeColour(DateShade s)
{
    switch (s) {
    case DateShade::Closed:
        return "#FFFF00";
    case DateShade::Far:
        return "#FFFFB0";
    case DateShade::Other:
        return "#F4F4F4";
    case DateShade::Normal:
        break;
    }
    return "#FFFFFF";
}

} // namespace entries
