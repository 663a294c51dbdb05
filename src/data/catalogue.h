// The table catalogue of the books: the layout of every shared and per-user table, and the
// per-user and work-table naming rules. Only definitions and names live here; creating and
// filling tables is newuserdata's, opening them is TDM's.
#pragma once

#include "tabledef.h"

#include <QDateTime>

namespace data::catalogue {

TableDef tbCfg();
TableDef tbUser();
TableDef tbInfo();
// The entries file also keeps its totals beside Tabela (tables Totais and TotaisInfo, kept by
// triggers): see fintotals.h. They belong to the file, so they travel with it in any copy.
TableDef fin();
TableDef cta();
TableDef hsto();
TableDef orc();
TableDef matFin();
TableDef bens();
TableDef bensVlr();
TableDef bensCat();

// The eight per-user tables in creation order: Fin, Cta, Hsto, Orc, MatFin, Bens, BensVlr, BensCat.
struct UserTable
{
    QString suffix; // "Fin"
    TableDef (*def)();
};
const std::vector<UserTable> &userTables();

// "0001" for 1, "12345" for 12345.
QString codUsuario(int cod);
// "Tb" + code + suffix + ".DB": userFileName("0012", "Fin") is "Tb0012Fin.DB".
QString userFileName(const QString &codUsuario, const QString &suffix);
// "xTMP" + tag + yyMMdd + hhmmsszzz: the name of a screen's work table.
QString tempTableName(const QString &tag, const QDateTime &now);

} // namespace data::catalogue
