#include "entrylist.h"

#include <app/dates.h>
#include <app/format.h>

#include <QRegularExpression>

namespace main_ui {

QString cleanNumDoc(const QString &numDoc)
{
    return (numDoc.startsWith("[I]") ? numDoc.mid(3) : numDoc).trimmed();
}

QString cleanObs(const QString &obs)
{
    const int p = obs.indexOf("[OFX");
    if (p < 0 || p + 10 >= obs.size() || obs[p + 10] != ']')
        return obs;
    return obs.left(p) + obs.mid(p + 11);
}

FindTarget parseFindText(const QString &text, int currentYear)
{
    static const QRegularExpression integer("^\\s*\\d+\\s*$");
    if (integer.match(text).hasMatch()) {
        bool ok = false;
        const qint64 code = text.trimmed().toLongLong(&ok);
        if (ok)
            return FindCode{code};
    }
    QString t = text;
    if (t.count('/') == 1)
        t += "/" + QString::number(currentYear);
    const QDate d = app::parseDate(t);
    if (d.isValid())
        return FindDate{d};
    if (text.trimmed().isEmpty())
        return FindInvalid{"Por favor, digite o Código ou\r\na Data que deseja Localizar!", true};
    return FindInvalid{"'" + text + "' não é um Código válido e" + "\r\n" +
                       "também não é uma Data válida!" + "\r\n" + "Por favor, verifique."};
}

static QString describe(const QDate &data, const QString &hsto, app::Money valor)
{
    return "Data: " + app::formatDate(data) + "\r\n" + "Histórico: " + hsto + "\r\n" +
           "Valor: " + app::formatMoney(valor);
}

QString closedDeleteText(const QDate &data, const QString &hsto, app::Money valor,
                         const QDate &fechadoAte)
{
    return "Este lançamento não pode ser excluído!\r\n\r\n" + describe(data, hsto, valor) + "\r\n" +
           "\r\n" + "Período até " + app::formatDate(fechadoAte) + " fechado!" + "\r\n" +
           "Alterações não permitidas!";
}

QString deleteQuestionText(const QDate &data, const QString &hsto, app::Money valor)
{
    return "Excluir lançamento?\r\n\r\n" + describe(data, hsto, valor);
}

} // namespace main_ui
