#include "infopages.h"

#include <data/database.h>
#include <data/table.h>

namespace help {

QList<qlonglong> pageCodes(data::Database &info, const data::Table &tbInfo, int tipo)
{
    data::Statement s =
        info.prepare("SELECT Codigo FROM " + tbInfo.sqlName() + " WHERE Tipo = ? ORDER BY Codigo");
    s.bind(1, tipo);
    QList<qlonglong> codes;
    while (s.step())
        codes << s.column(0).toLongLong();
    return codes;
}

std::optional<InfoPage> readPage(data::Database &info, const data::Table &tbInfo, qlonglong codigo)
{
    data::Statement s = info.prepare("SELECT Codigo, Tipo, Titulo, Texto, Dica, Imagem FROM " +
                                     tbInfo.sqlName() + " WHERE Codigo = ?");
    s.bind(1, codigo);
    if (!s.step())
        return std::nullopt;
    InfoPage p;
    p.codigo = s.column(0).toLongLong();
    p.tipo = s.column(1).toInt();
    p.titulo = s.column(2).toString();
    p.texto = s.column(3).toString();
    p.dica = s.column(4).toString();
    p.imagem = s.column(5).toByteArray();
    return p;
}

} // namespace help
