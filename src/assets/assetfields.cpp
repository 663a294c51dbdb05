#include "assetfields.h"

#include <app/dates.h>
#include <app/format.h>
#include <app/keyfilters.h>
#include <entries/entryrules.h>
#include <entries/valoredit.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

namespace assets {

QLineEdit *makeValorEdit(const char *objectName, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setMaxLength(30);
    e->setAlignment(Qt::AlignRight);
    e->setValidator(new entries::ValorValidator(e));
    // The operator keys that open the entries' arithmetic box have no meaning here.
    new entries::ValorKeys(e, [] { QApplication::beep(); });
    return e;
}

QLineEdit *makeDateEdit(const char *objectName, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setMaxLength(10);
    e->setValidator(new app::CharsetValidator("0-9/", e));
    e->setMaximumWidth(90);
    return e;
}

QLineEdit *makeCatEdit(const char *objectName, bool blanks, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(objectName);
    if (!blanks)
        e->setMaxLength(2);
    e->setValidator(new app::CharsetValidator(blanks ? "0-9 " : "0-9", e));
    return e;
}

std::optional<QString> dateProblem(const QString &text)
{
    return entries::dateTextProblem(text);
}

std::optional<QString> valorProblem(const QString &text, const QString &fieldName)
{
    const std::optional<app::Money> v = entries::valorFromText(text);
    if (!v)
        return QString("'%1' não é um número válido para o campo '%2'.\r\nLembre-se de não "
                       "digitar o separador de milhar")
            .arg(text, fieldName);
    if (!app::amountInRange(v->centavos()))
        return app::maxAmountText();
    return std::nullopt;
}

QDate dateOf(const QString &text)
{
    return text.trimmed().isEmpty() ? QDate() : app::parseDate(text);
}

app::Money valorOf(const QString &text)
{
    return entries::valorFromText(text).value_or(app::Money());
}

QString valorText(app::Money m)
{
    return app::formatMoney(m);
}

QLabel *caption(const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
}

} // namespace assets
