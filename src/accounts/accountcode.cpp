#include "accountcode.h"

namespace accounts {

int codeLevel(const QString &code)
{
    switch (code.size()) {
    case 1:
        return 1;
    case 4:
        return 2;
    case 7:
        return 3;
    default:
        return 0;
    }
}

int codeGroup(const QString &code)
{
    if (code.isEmpty())
        return -1;
    const QChar c = code.front();
    return c >= '0' && c <= '2' ? c.unicode() - '0' : -1;
}

bool isGroupRoot(const QString &code)
{
    return code.size() == 1 && codeGroup(code) >= 0;
}

// Digits everywhere but the separators at characters 2 and 5 (indexes 1 and 4).
static bool digitsAndDots(const QString &code)
{
    for (int i = 0; i < code.size(); ++i) {
        const bool separator = i == 1 || i == 4;
        const QChar c = code[i];
        if (separator ? c != '.' : (c < '0' || c > '9'))
            return false;
    }
    return true;
}

bool hasValidForm(const QString &code, int group)
{
    return (code.size() == 4 || code.size() == 7) && codeGroup(code) == group &&
           digitsAndDots(code);
}

bool isWellFormed(const QString &code)
{
    return codeLevel(code) > 0 && codeGroup(code) >= 0 && digitsAndDots(code);
}

QString parentCode(const QString &code)
{
    return code.left(qMax(0, int(code.size()) - 3));
}

CodRedRange codRedRange(int group)
{
    // The group digit followed by "01" and "99"; group 0 starts at 10 so that every cash
    // account's reduced code has two digits and below 100 always means a cash account.
    const int base = group * 100;
    return {qMax(10, base + 1), base + 99};
}

bool codRedInRange(qint64 codRed, int group)
{
    const CodRedRange r = codRedRange(group);
    return codRed >= r.min && codRed <= r.max;
}

RowColours rowColours(const QString &code, bool selected)
{
    static constexpr quint32 kSelected[3] = {0x437043, 0x000080, 0x800000};
    static constexpr RowColours kLevels[3][3] = {
        {{0x2C492C, 0xC0DCC0}, {0x437043, 0xD9EAD9}, {0x2C492C, 0xECF4EC}},
        {{0x000080, 0x99C6EA}, {0x000080, 0xCAE1F4}, {0x000080, 0xDFEDF9}},
        {{0x800000, 0xFF9595}, {0x800000, 0xFFD2D2}, {0x800000, 0xFFE6E6}},
    };
    const int group = qMax(0, codeGroup(code));
    if (selected)
        return {0xFFFFFF, kSelected[group]};
    const int level = code.isEmpty() || codeLevel(code) == 0 ? 3 : codeLevel(code);
    return kLevels[group][level - 1];
}

} // namespace accounts
