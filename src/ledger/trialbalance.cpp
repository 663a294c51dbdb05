#include "trialbalance.h"

#include "accountsums_internal.h"

#include <app/dates.h>

#include <algorithm>

namespace ledger {

using app::Money;
using namespace internal;

namespace {

enum Sum { kSlAntCred, kSlAntDeb, kTtCred, kTtDeb, kSums };

BcteRow rowOf(const QString &extCta, int nv, const std::vector<Money> &v)
{
    BcteRow r;
    r.ExtCta = extCta;
    r.Nv = nv;
    r.Nv1 = extCta.mid(0, 1).toInt();
    r.Nv2 = extCta.mid(2, 2).toInt();
    r.Nv3 = extCta.mid(5, 2).toInt();
    r.SlAntCred = v[kSlAntCred];
    r.SlAntDeb = v[kSlAntDeb];
    r.TtCred = v[kTtCred];
    r.TtDeb = v[kTtDeb];
    return r;
}

bool viewOrder(const BcteRow &a, const BcteRow &b)
{
    return a.ExtCta != b.ExtCta ? a.ExtCta < b.ExtCta : a.Nv < b.Nv;
}

} // namespace

void finishRow(BcteRow &r)
{
    const bool cash = r.ExtCta.startsWith('0') || r.ExtCta.startsWith('3');
    r.SaldoAnt = cash ? r.SlAntDeb - r.SlAntCred : r.SlAntCred - r.SlAntDeb;
    r.VariacaoSaldo = cash ? r.TtDeb - r.TtCred : r.TtCred - r.TtDeb;
    r.SaldoAtual = r.SaldoAnt + r.VariacaoSaldo;
    if (r.ExtCta == "3")
        r.TituloDescr = (r.SlAntDeb - r.SlAntCred).centavos() >= 0
                            ? "Resultado Credor Ano Anterior"
                            : "Resultado Devedor Ano Anterior";
    else
        r.TituloDescr = r.TituloCta;
    r.TituloExtrato = r.Cta < 1 ? QString()
                                : "Extrato da Conta [" + r.ExtCta + " - " + QString::number(r.Cta) +
                                      " - " + r.TituloDescr + "]";
}

TrialBalance BalView(const Book &book, const QDate &dtIni, const QDate &dtFim)
{
    const QDate J(dtIni.year(), 1, 1);
    Scan scan = scanBook(book, J, dtIni, dtFim, Columns::OnePeriod);
    const Chart chart = readChart(book);
    TrialBalance tb;
    tb.CredAnoAnt = scan.CredAnoAnt;
    tb.DebAnoAnt = scan.DebAnoAnt;
    tb.hasEntries = !scan.accounts.empty();

    std::vector<Leaf> leaves;
    for (auto &[cta, s] : scan.accounts) {
        if (!settleCarried(cta, s))
            continue;
        const QString cod = chart.codCtaByRed.value(cta);
        Leaf leaf{cod.isEmpty() ? missingCode(cta) : cod,
                  cod.isEmpty(),
                  {s.before.cred + s.open.cred, s.before.deb + s.open.deb, s.cols[0].cred,
                   s.cols[0].deb}};
        BcteRow r = rowOf(leaf.ExtCta, 3, leaf.v);
        r.Cta = cta;
        r.missingFromChart = leaf.missing;
        r.TituloCta = leaf.missing ? missingTitle() : chart.byCod.value(cod).Descricao;
        if (leaf.missing)
            r.Nv2 = r.Nv3 = 0;
        tb.rows.push_back(r);
        leaves.push_back(std::move(leaf));
    }
    if (tb.rows.empty())
        return tb;
    for (const LevelRow &l : levelRows(leaves)) {
        BcteRow r = rowOf(l.ExtCta, l.Nv, l.v);
        r.TituloCta = chart.byCod.value(l.ExtCta).Descricao;
        tb.rows.push_back(r);
    }
    if (tb.CredAnoAnt != tb.DebAnoAnt) {
        BcteRow r = rowOf("3", 1, {tb.CredAnoAnt, tb.DebAnoAnt, Money(), Money()});
        r.TituloCta = chart.byCod.value("3").Descricao;
        tb.rows.push_back(r);
    }
    for (BcteRow &r : tb.rows)
        finishRow(r);
    std::sort(tb.rows.begin(), tb.rows.end(), viewOrder);
    return tb;
}

const BcteRow *TrialBalance::findExtCta(const QString &code) const
{
    return findByCode(rows, code);
}

const BcteRow *TrialBalance::findCta(int codRed) const
{
    for (const BcteRow &r : rows)
        if (r.Nv == 3 && r.Cta == codRed)
            return &r;
    return nullptr;
}

QStringList nivelItems()
{
    return {"Todos", "Só 1º Nivel", "Só 1º e 2º Nível", "1º e 3º", "Só 3º Nível"};
}

QStringList grupoItems()
{
    return {"Todas", "Só Saldo/Circulante", "Só Entradas/Receita", "Só Saídas/Despesas",
            "Receitas e Despesas"};
}

bool inView(const QString &extCta, int nv, Nivel nivel, Grupo grupo)
{
    bool level = true;
    switch (nivel) {
    case Nivel::Todos:
        level = nv >= 1;
        break;
    case Nivel::So1:
        level = nv == 1;
        break;
    case Nivel::So1e2:
        level = nv == 1 || nv == 2;
        break;
    case Nivel::Nv1e3:
        level = nv == 1 || nv == 3;
        break;
    case Nivel::So3:
        level = nv == 3;
        break;
    }
    const QString &c = extCta;
    switch (grupo) {
    case Grupo::Todas:
        return level && c >= "0";
    case Grupo::SoSaldo:
        return level && c < "1";
    case Grupo::SoEntradas:
        return level && c >= "1" && c < "2";
    case Grupo::SoSaidas:
        return level && c >= "2" && c < "3";
    case Grupo::ReceitasDespesas:
        return level && c >= "1" && c < "3";
    }
    return false;
}

std::vector<BcteRow> MudarVisualizacaoBalancete(const std::vector<BcteRow> &all, Nivel nivel,
                                                Grupo grupo)
{
    return inViewRows(all, nivel, grupo);
}

bool showsLevel3(Nivel nivel)
{
    return nivel != Nivel::So1 && nivel != Nivel::So1e2;
}

QString periodCaption(const QDate &dtIni, const QDate &dtFim, PeriodMode mode)
{
    if (mode == PeriodMode::Month)
        return app::formatDate(dtIni, "MMMM/yyyy");
    return app::formatDate(dtIni, "dd/MM/yyyy") + " a " + app::formatDate(dtFim, "dd/MM/yyyy");
}

QString PeriodoBal(const QDate &dtIni, const QDate &dtFim, PeriodMode mode)
{
    return "[" + periodCaption(dtIni, dtFim, mode) + "]";
}

QStringList valueTitles(const QDate &dtIni, const QDate &dtFim, PeriodMode mode)
{
    return {"Sld " + app::formatDate(dtIni.addDays(-1), "dd/MM/yy"),
            mode == PeriodMode::Month ? "Mov " + app::formatDate(dtIni, "MMM/yy")
                                      : QString("Mov Período"),
            "Sld " + app::formatDate(dtFim, "dd/MM/yy")};
}

} // namespace ledger
