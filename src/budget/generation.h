// Writing budget values: a whole month generated from another month's budget or realised values,
// raised or lowered by a percentage, and one account's value typed by the user. Values are exact
// centavos; the factor is applied once per account, rounding half away from zero. A month is
// replaced in one transaction, and only when the source gave rows, so a failure or an empty
// source leaves the month's budget as it was.
#pragma once

#include "budgetbook.h"

#include <app/money.h>

#include <QDate>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace budget {

// 1 + p/100 (an increase of p %) or 1 - p/100 (a decrease), with p carried to four decimals:
// the factor is (1,000,000 + delta) / 1,000,000, delta being p in ten-thousandths, signed.
struct Factor
{
    qint64 delta = 0; // 0: the factor 1

    // `m` times the factor, rounded half away from zero to the centavo. Throws app::Error when
    // the product is beyond 64 bits.
    app::Money apply(app::Money m) const;
};

// What the percentage fields make of their text: a percentage in ten-thousandths, or nothing when
// the text is not a number (empty, two separators, more than four decimals, a thousands
// separator). "," and "." both count as the decimal separator; a sign is read, so "-5" is a
// number (below zero) and the range checks refuse it.
std::optional<qint64> parsePercent(const QString &text);

// The generation dialog's check of its two ticks: the factor, or the message that refuses it
// and which field it is about.
struct FactorCheck
{
    std::optional<Factor> factor;
    QString message;
    bool aboutDecrease = false; // the message is about Edit2
};
FactorCheck checkFactor(bool increase, const QString &increaseText, bool decrease,
                        const QString &decreaseText);

enum class Source { Copy, Realised };

// The rows a generation proposes: the source month's budget (Copy) or each account's net
// realised value (credits minus debits) in it (Realised), times the factor, by reduced code in
// order. Only codes above 100 (income and expenses); an account whose credits and debits cancel
// out proposes 0.
std::vector<std::pair<int, app::Money>> proposal(const BudgetBook &b, Source source,
                                                 const QDate &sourceMonth, const Factor &factor);

// True when the month whose first day is `month` has budget rows.
bool hasBudget(const BudgetBook &b, const QDate &month);

enum class Generated { Done, EmptySource };
// Replaces the budget of `month` with the proposal of `source` in one transaction. An empty
// proposal changes nothing and returns EmptySource. Throws app::Error (a value beyond the largest
// amount) or app::StorageError with the month's budget unchanged.
Generated generateMonth(const BudgetBook &b, const QDate &month, Source source,
                        const QDate &sourceMonth, const Factor &factor);

// ---- one account's value

// The value typed into "Valor Orçado": digits with an optional decimal comma and at most two
// decimals, no thousands separator. The message refuses anything else (empty message: valid).
struct TypedValue
{
    app::Money value;
    QString message;
};
TypedValue readTypedValue(const QString &text);
// The stored value of a typed one: as typed when the reduced code, written with three digits,
// starts with "1" (income), negated when it starts with "2" (expenses).
app::Money signedValue(int codRed, app::Money typed);
// The account's stored value for the month, or nothing when it has no row.
std::optional<app::Money> storedValue(const BudgetBook &b, const QDate &month, int codRed);
// Writes the account's value for the month; 0 removes its row. Throws app::StorageError with
// nothing changed.
void saveValue(const BudgetBook &b, const QDate &month, int codRed, app::Money value);

namespace texts {
inline const char *const kJaExiste = "Já existe um orçamento neste mês.\r\nDeseja substituir?";
inline const char *const kNaoAlterado = "Orçamento deste mês\r\nnão foi alterado!";
inline const char *const kOrigemVazia =
    "Nenhum valor encontrado no mês de origem.\r\nOrçamento não foi alterado!";
inline const char *const kGerado = "Ok. Orçamento Gerado!";
inline const char *const kAcrescimoInvalido = "Percentual de acréscimo inválido. Redigite!";
inline const char *const kAcrescimoZero =
    "Percentual de acréscimo deve\r\nser maior que zero. Redigite!";
inline const char *const kDecrescimoInvalido = "Percentual de decréscimo inválido. Redigite!";
inline const char *const kDecrescimoFaixa =
    "Percentual de acréscimo\r\ndeve ser maior que zero\r\ne menor que 100%. Redigite!";
inline const char *const kValorInvalido =
    "Valor Inválido!\r\nPor favor, redigite.\r\n\r\nNão use separador de milhar.";
inline const char *const kValorNegativo = "Por favor, digite um valor\r\nmaior ou igual a zero!";
} // namespace texts

} // namespace budget
