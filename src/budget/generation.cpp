#include "generation.h"

#include <app/error.h>
#include <app/format.h>
#include <data/database.h>

#include <algorithm>
#include <limits>
#include <map>

namespace budget {

using app::Money;

namespace {

constexpr qint64 kMillion = 1'000'000;
// Percentages beyond this (a hundred million per cent) are no percentage anyone means; the
// limit keeps every product inside 128 bits and every factor inside 64.
constexpr qint64 kMaxPercent = qint64(100'000'000) * 10'000;

QString stored(const QDate &d)
{
    return d.toString("yyyy-MM-dd");
}

QDate firstDay(const QDate &d)
{
    return QDate(d.year(), d.month(), 1);
}

std::vector<std::pair<int, Money>> copyRows(const BudgetBook &b, const QDate &month)
{
    const data::AttachGuard orc(b.book.db, b.orcFile);
    data::Statement st = b.book.db.prepare("SELECT CodRed, ValorOrcado FROM " + orc.table() +
                                           " WHERE Data = ? AND CodRed > 100 ORDER BY CodRed");
    st.bindAll({stored(month)});
    std::vector<std::pair<int, Money>> out;
    while (st.step())
        out.emplace_back(st.column(0).toInt(), Money::fromCentavos(st.column(1).toLongLong()));
    return out;
}

// Each account's credits minus debits over the month, netted before any factor is applied.
std::vector<std::pair<int, Money>> realisedRows(const BudgetBook &b, const QDate &month)
{
    data::Statement st = b.book.db.prepare("SELECT CtaDeb, CtaCred, Valor FROM " + b.book.fin +
                                           " INDEXED BY IdxSaldos WHERE Data >= ? AND Data <= ?");
    st.bindAll({stored(month), stored(month.addMonths(1).addDays(-1))});
    std::map<int, Money> net;
    while (st.step()) {
        const int deb = st.column(0).toInt(), cred = st.column(1).toInt();
        const Money v = Money::fromCentavos(st.column(2).toLongLong());
        if (cred > 100)
            net[cred] += v;
        if (deb > 100)
            net[deb] -= v;
    }
    return {net.begin(), net.end()};
}

} // namespace

Money Factor::apply(Money m) const
{
    const __int128 num = kMillion + delta;
    const qint64 c = m.centavos();
    const __int128 a = (c < 0 ? -__int128(c) : __int128(c)) * num;
    const __int128 q = (a + kMillion / 2) / kMillion;
    if (q > std::numeric_limits<qint64>::max())
        QUORVILA_THROW(app::Error, app::maxAmountText());
    return Money::fromCentavos(c < 0 ? -qint64(q) : qint64(q));
}

std::optional<qint64> parsePercent(const QString &text)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith('-') || t.startsWith('+')) {
        negative = t.startsWith('-');
        t.remove(0, 1);
    }
    qint64 whole = 0, fraction = 0;
    int decimals = -1; // -1 until the separator
    bool digits = false;
    for (const QChar ch : t) {
        if (ch == ',' || ch == '.') {
            if (decimals >= 0)
                return std::nullopt;
            decimals = 0;
            continue;
        }
        if (ch < '0' || ch > '9')
            return std::nullopt;
        digits = true;
        if (decimals < 0) {
            whole = whole * 10 + ch.digitValue();
            if (whole * 10'000 > kMaxPercent)
                return std::nullopt;
        } else if (++decimals > 4) {
            return std::nullopt;
        } else {
            fraction = fraction * 10 + ch.digitValue();
        }
    }
    if (!digits)
        return std::nullopt;
    for (int i = std::max(decimals, 0); i < 4; ++i)
        fraction *= 10;
    const qint64 p = whole * 10'000 + fraction;
    return negative ? -p : p;
}

FactorCheck checkFactor(bool increase, const QString &increaseText, bool decrease,
                        const QString &decreaseText)
{
    if (increase) {
        const std::optional<qint64> p = parsePercent(increaseText);
        if (!p)
            return {std::nullopt, texts::kAcrescimoInvalido, false};
        if (*p <= 0)
            return {std::nullopt, texts::kAcrescimoZero, false};
        return {Factor{*p}, {}, false};
    }
    if (decrease) {
        const std::optional<qint64> p = parsePercent(decreaseText);
        if (!p)
            return {std::nullopt, texts::kDecrescimoInvalido, true};
        // The factor 1 - p/100 must lie strictly between 0 and 1.
        if (*p <= 0 || *p >= kMillion)
            return {std::nullopt, texts::kDecrescimoFaixa, true};
        return {Factor{-*p}, {}, true};
    }
    return {Factor{}, {}, false};
}

std::vector<std::pair<int, Money>> proposal(const BudgetBook &b, Source source,
                                            const QDate &sourceMonth, const Factor &factor)
{
    const QDate month = firstDay(sourceMonth);
    std::vector<std::pair<int, Money>> rows =
        source == Source::Copy ? copyRows(b, month) : realisedRows(b, month);
    for (auto &[cod, v] : rows)
        v = factor.apply(v);
    return rows;
}

bool hasBudget(const BudgetBook &b, const QDate &month)
{
    const data::AttachGuard orc(b.book.db, b.orcFile);
    return b.book.db
        .scalar("SELECT 1 FROM " + orc.table() + " WHERE Data = ? LIMIT 1",
                {stored(firstDay(month))})
        .isValid();
}

Generated generateMonth(const BudgetBook &b, const QDate &month, Source source,
                        const QDate &sourceMonth, const Factor &factor)
{
    // Read whole before anything is deleted: the source may be the month itself.
    const std::vector<std::pair<int, Money>> rows = proposal(b, source, sourceMonth, factor);
    if (rows.empty())
        return Generated::EmptySource;
    for (const auto &[cod, v] : rows)
        if (!app::amountInRange(v.centavos()))
            QUORVILA_THROW(app::Error, app::maxAmountText());
    data::Database &db = b.book.db;
    // Held across the transaction: SQLite cannot detach a file while a transaction is open.
    const data::AttachGuard orc(db, b.orcFile);
    const QString day = stored(firstDay(month));
    data::Transaction tr(db);
    db.exec("DELETE FROM " + orc.table() + " WHERE Data = ?", {day});
    data::Statement ins =
        db.prepare("INSERT INTO " + orc.table() + " (Data, CodRed, ValorOrcado) VALUES (?, ?, ?)");
    for (const auto &[cod, v] : rows) {
        ins.bindAll({day, cod, v.centavos()});
        ins.step();
        ins.reset();
    }
    tr.commit();
    return Generated::Done;
}

TypedValue readTypedValue(const QString &text)
{
    const std::optional<Money> v = app::parseMoney(text.trimmed());
    if (!v)
        return {Money(), texts::kValorInvalido};
    if (v->centavos() < 0)
        return {*v, texts::kValorNegativo};
    if (!app::amountInRange(v->centavos()))
        return {*v, app::maxAmountText()};
    return {*v, {}};
}

Money signedValue(int codRed, Money typed)
{
    return QString::number(codRed).rightJustified(3, '0').startsWith('2') ? -typed : typed;
}

std::optional<Money> storedValue(const BudgetBook &b, const QDate &month, int codRed)
{
    const data::AttachGuard orc(b.book.db, b.orcFile);
    const QVariant v = b.book.db.scalar("SELECT ValorOrcado FROM " + orc.table() +
                                            " WHERE Data = ? AND CodRed = ?",
                                        {stored(firstDay(month)), codRed});
    if (!v.isValid())
        return std::nullopt;
    return Money::fromCentavos(v.toLongLong());
}

void saveValue(const BudgetBook &b, const QDate &month, int codRed, Money value)
{
    if (!app::amountInRange(value.centavos()))
        QUORVILA_THROW(app::Error, app::maxAmountText());
    const data::AttachGuard orc(b.book.db, b.orcFile);
    const QVariantList key{stored(firstDay(month)), codRed};
    if (value.isZero()) {
        b.book.db.exec("DELETE FROM " + orc.table() + " WHERE Data = ? AND CodRed = ?", key);
        return;
    }
    b.book.db.exec(
        "INSERT INTO " + orc.table() +
            " (Data, CodRed, ValorOrcado) VALUES (?1, ?2, ?3)"
            " ON CONFLICT (Data, CodRed) DO UPDATE SET ValorOrcado = excluded.ValorOrcado",
        {key[0], key[1], value.centavos()});
}

} // namespace budget
