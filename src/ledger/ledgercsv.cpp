#include "ledgercsv.h"

#include <app/dates.h>

namespace ledger {

using app::CsvWriter;

namespace {

const QString kRun6 = ";;;;;;";
const QString kRun7 = ";;;;;;;";

QString q(const QString &t)
{
    return CsvWriter::quote(t);
}

QString n(app::Money m)
{
    return CsvWriter::number(m);
}

// Group roots and the result row carry a full stop, so a spreadsheet keeps them as text.
QString codeCell(const QString &extCta)
{
    static const QStringList roots{"0", "1", "2", "3"};
    return q(roots.contains(extCta) ? extCta + "." : extCta);
}

QString ctaCell(int cta)
{
    return q(cta > 0 ? QString::number(cta) : QString());
}

void addStatementHead(CsvWriter &w, const StatementPeriod &p, const BcteRow &account)
{
    w.addLine("Código;Data;Dest;Orig;Histórico;Num Doc;Valor ;");
    w.addEmptyLine();
    w.addLine(";;;;Saldo Anterior (" + CsvWriter::date(p.dtIni.addDays(-1)) + ");;" +
              n(account.SaldoAnt) + ";");
    w.addEmptyLine();
}

void addEntryLine(CsvWriter &w, const LctoRow &r)
{
    w.addLine(q(QString::number(r.Codigo)) + ";" + q(CsvWriter::date(r.Data)) + ";" +
              q(QString::number(r.Dest)) + ";" + q(QString::number(r.Orig)) + ";" + q(r.Hsto) +
              ";" + q(r.NumDoc) + ";" + q(n(r.Valor)) + ";");
}

void addPeriodTotals(CsvWriter &w, const StatementPeriod &p, const BcteRow &account, size_t count)
{
    if (count > 0)
        w.addLine(";" + QString::number(count) + " lançamento(s);;;Mov. Período:;;" +
                  n(account.VariacaoSaldo) + ";");
    w.addLine(";;;;Saldo Atual (" + CsvWriter::date(p.dtFim) + ");;" + n(account.SaldoAtual) + ";");
}

void addGenerated(CsvWriter &w, const StatementPeriod &p)
{
    w.addLine("Arquivo gerado em " + CsvWriter::date(p.generated.date()) + ", às " +
              p.generated.time().toString("hh:mm:ss") + w.run());
}

} // namespace

CsvWriter trialBalanceCsv(const app::CsvUser &user, const QString &caption,
                          const QStringList &titles, const std::vector<BcteRow> &rows)
{
    CsvWriter w(kRun6);
    w.addPreamble(user);
    w.addLine(caption.trimmed() + w.run());
    w.addEmptyLine();
    w.addLine(titles.join(';') + ";");
    w.addEmptyLine();
    for (const BcteRow &r : rows)
        w.addLine(codeCell(r.ExtCta) + ";" + ctaCell(r.Cta) + ";" + q(r.TituloDescr) + ";" +
                  q(n(r.SaldoAnt)) + ";" + q(n(r.VariacaoSaldo)) + ";" + q(n(r.SaldoAtual)) + ";");
    return w;
}

CsvWriter statementCsv(const app::CsvUser &user, const StatementPeriod &p, const BcteRow &account,
                       std::span<const LctoRow> rows, bool daily)
{
    CsvWriter w(kRun7);
    w.addPreamble(user);
    w.addLine(q(account.TituloExtrato.trimmed()) + w.run());
    w.addLine(p.PeriodoBal + kRun6);
    w.addEmptyLine();
    addStatementHead(w, p, account);
    if (!daily) {
        for (const LctoRow &r : rows)
            addEntryLine(w, r);
        w.addEmptyLine();
        addPeriodTotals(w, p, account, rows.size());
    } else {
        const std::vector<DayTotal> days = dailyTotals(rows);
        size_t next = 0;
        for (size_t d = 0; d < days.size(); ++d) {
            if (d > 0) {
                w.addEmptyLine();
                w.addEmptyLine();
            }
            for (; next <= days[d].lastRow; ++next)
                addEntryLine(w, rows[next]);
            w.addEmptyLine();
            w.addLine(";" + QString::number(days[d].count) +
                      " lançamento(s);;;Movimento do Dia:;;" + n(days[d].Movimento) + ";");
            w.addLine(";;;;Saldo do Dia (" + CsvWriter::date(days[d].Data) + ");;" +
                      n(days[d].Saldo) + ";");
        }
    }
    w.addEmptyLine();
    w.addEmptyLine();
    addGenerated(w, p);
    return w;
}

CsvWriter allStatementsCsv(const app::CsvUser &user, const StatementPeriod &p,
                           const std::vector<BcteRow> &view, const Ledger &ledger)
{
    const QString rule = QString(100, '-') + kRun6 + QString(12, '-') + ";";
    CsvWriter w(kRun7);
    w.addPreamble(user);
    w.addLine("Relação de Extrato de Contas" + w.run());
    w.addLine("Período: " + p.PeriodoBal + w.run());
    w.addEmptyLine();
    for (const BcteRow &account : view) {
        if (account.ExtCta.size() <= 6)
            continue;
        w.addLine(rule);
        w.addEmptyLine();
        w.addLine(q(account.TituloExtrato.trimmed()) + w.run());
        w.addEmptyLine();
        addStatementHead(w, p, account);
        const std::span<const LctoRow> rows = ledger.of(account.Cta);
        if (!rows.empty()) {
            for (const LctoRow &r : rows)
                addEntryLine(w, r);
            w.addEmptyLine();
        }
        addPeriodTotals(w, p, account, rows.size());
        w.addEmptyLine();
    }
    w.addLine(rule);
    w.addEmptyLine();
    addGenerated(w, p);
    return w;
}

CsvWriter yearMapCsv(const app::CsvUser &user, const QString &caption, int year,
                     const std::vector<MapaRow> &rows)
{
    CsvWriter w(QString(28, ';'));
    w.addPreamble(user);
    w.addLine(caption.trimmed() + w.run());
    w.addEmptyLine();
    w.addLine(mapColumnTitles(year).join(';') + ";");
    w.addEmptyLine();
    for (const MapaRow &r : rows) {
        QString line = codeCell(r.ExtCta) + ";" + ctaCell(r.Cta) + ";" + q(r.TituloDescr) + ";" +
                       q(n(r.Sld0)) + ";";
        for (size_t k = 0; k < 12; ++k)
            line += q(n(r.Mov[k])) + ";" + q(n(r.Sld[k])) + ";";
        w.addLine(line);
    }
    return w;
}

} // namespace ledger
