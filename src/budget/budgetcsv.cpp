#include "budgetcsv.h"

#include <app/format.h>

namespace budget {

using app::CsvWriter;

namespace {

const QString kRun7 = ";;;;;;;";

QString q(const QString &t)
{
    return CsvWriter::quote(t);
}

} // namespace

CsvWriter budgetCsv(const app::CsvUser &user, const QString &caption, const QStringList &titles,
                    const std::vector<OrcRow> &rows, const OrcTotals &totals)
{
    CsvWriter w(kRun7);
    w.addPreamble(user);
    w.addLine(caption.trimmed() + w.run());
    w.addEmptyLine();
    w.addLine(titles.join(';') + ";");
    w.addEmptyLine();
    for (const OrcRow &r : rows) {
        // Group codes carry a full stop, so a spreadsheet keeps them as text.
        const QString code = r.Nv == 1 ? r.ExtCta + "." : r.ExtCta;
        w.addLine(q(code) + ";" + q(r.CodRed > 0 ? QString::number(r.CodRed) : QString()) + ";" +
                  q(r.Descricao) + ";" + q(CsvWriter::number(r.ValorOrcado)) + ";" +
                  q(CsvWriter::number(r.Realizado)) + ";" + q(r.PercRealizado()) + ";" +
                  q(CsvWriter::number(r.Saldo())) + ";");
    }
    w.addEmptyLine();
    w.addLine(";;\"(=) Resultado do Mês\";" + app::formatMoney(totals.ValorOrcado) + ";" +
              app::formatMoney(totals.Realizado) + ";" + totals.percent() + ";" +
              app::formatMoney(totals.Saldo()) + ";");
    return w;
}

reports::DataView orcView(const std::vector<OrcRow> &rows)
{
    reports::DataView v(
        {"ExtCta", "CodRed", "Descricao", "ValorOrcado", "Realizado", "PercRealizado", "Saldo"});
    for (const OrcRow &r : rows)
        v.addRow({r.ExtCta, r.CodRed > 0 ? QVariant(r.CodRed) : QVariant(), r.Descricao,
                  r.ValorOrcado.toDouble(), r.Realizado.toDouble(), r.PercRealizado(),
                  r.Saldo().toDouble()});
    return v;
}

QString totalParameter(app::Money m)
{
    return QString(m.centavos() < 0 ? "-" : "") + QString::number(m.abs().centavos() / 100) + "." +
           QString::number(m.abs().centavos() % 100).rightJustified(2, '0');
}

} // namespace budget
