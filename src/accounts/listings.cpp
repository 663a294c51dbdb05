#include "listings.h"

#include "accountcode.h"

#include <data/UDM.h>

namespace accounts {

using app::CsvWriter;

// Lines 8 to 11 of a listing: title, blank, column titles, blank.
static void addHeading(CsvWriter &w, const QString &title, const QStringList &columns)
{
    w.addLine(title + w.run());
    w.addEmptyLine();
    w.addLine(columns.join(';') + ';');
    w.addEmptyLine();
}

CsvWriter chartListing(const std::vector<CtaRow> &rows, const app::CsvUser &user)
{
    CsvWriter w(";;;");
    w.addPreamble(user);
    addHeading(w, "Plano de Contas", {"Conta", "Cod Red", "Nome da Conta"});
    for (const CtaRow &r : rows) {
        const QString code = isGroupRoot(r.codCta) ? r.codCta + '.' : r.codCta;
        const QString red = r.codRed ? QString::number(*r.codRed) : QString();
        w.addLine("\"" + code + "\";" + red + ";" + CsvWriter::quote(r.descricao) + ";");
    }
    return w;
}

CsvWriter historyListing(const std::vector<HstoRow> &rows, const app::CsvUser &user)
{
    CsvWriter w(";;");
    w.addPreamble(user);
    addHeading(w, "Histórico Padrão", {"Código", "Histórico/Descrição"});
    for (const HstoRow &r : rows)
        w.addLine("\"" + QString::number(r.codigo) + "\";" + CsvWriter::quote(r.descricao) + ";");
    return w;
}

app::CsvUser csvUserOf(const data::TDM &dm)
{
    app::CsvUser u;
    u.codUsuario = dm.CodUsuario();
    if (dm.TbUser->isActive()) {
        u.nome = dm.TbUser->asString("Nome");
        u.cidadeUF = dm.TbUser->asString("CidadeUF");
    }
    return u;
}

} // namespace accounts
