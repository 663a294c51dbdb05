// The grammar of account codes: three levels "G", "G.xx" and "G.xx.xx", the group told by the
// first digit (0 balances, 1 income, 2 expenses), the parent of a code, the reduced-code range
// of each group, and the colours the account lists paint by group and level. Pure functions of
// the code text; nothing here reads a table.
#pragma once

#include <QString>
#include <QtGlobal>

namespace accounts {

// 1, 2 or 3 by the code's length (1, 4, 7); 0 for any other length.
int codeLevel(const QString &code);
// The group digit 0, 1 or 2 of the code's first character; -1 when it is none of them.
int codeGroup(const QString &code);
// "0", "1" or "2": the roots, which are neither edited nor deleted.
bool isGroupRoot(const QString &code);
// The form typed into the editor: length 4 or 7, first character `group`'s digit, "." at
// characters 2 and 5, decimal digits everywhere else.
bool hasValidForm(const QString &code, int group);
// A well-formed code of any level whose group is 0, 1 or 2 (roots included).
bool isWellFormed(const QString &code);
// The code without its last three characters: "2.04" for "2.04.03", "2" for "2.04".
QString parentCode(const QString &code);

// Reduced codes of a group: 10-99, 101-199, 201-299. Precondition: group is 0, 1 or 2.
struct CodRedRange
{
    int min;
    int max;
};
CodRedRange codRedRange(int group);
bool codRedInRange(qint64 codRed, int group);

// Row colours of the chart grids, as 0xRRGGBB. A code that is empty or unknown counts as group 0,
// level 3.
struct RowColours
{
    quint32 font;
    quint32 background;
};
RowColours rowColours(const QString &code, bool selected);

} // namespace accounts
