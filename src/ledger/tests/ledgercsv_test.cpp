// The four CSV files of the trial balance screen, byte for byte against files written by hand in
// Windows-1252 with CR LF (tests/data): banner lines, quoting, plain numbers with a decimal comma,
// the group roots' full stop, the statement's period and daily blocks.
#include <ledger/ledgercsv.h>

#include <app/dates.h>

#include <QFile>

#include <gtest/gtest.h>

using app::Money;

namespace {

const app::CsvUser kUser{"0001", "Ana", "Recife/PE"};

QByteArray fixture(const char *name)
{
    QFile f(QString(LEDGER_TEST_DATA) + "/" + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

Money c(qint64 centavos)
{
    return Money::fromCentavos(centavos);
}

ledger::BcteRow bcte(const QString &ext, int cta, const QString &titulo, qint64 ant, qint64 var)
{
    ledger::BcteRow r;
    r.ExtCta = ext;
    r.Cta = cta;
    r.Nv = ext.size() == 7 ? 3 : ext.size() == 4 ? 2 : 1;
    r.TituloCta = titulo;
    const bool cash = ext.startsWith('0') || ext.startsWith('3');
    // Sums that give the wanted signed figures under the row's group.
    (cash ? r.SlAntDeb : r.SlAntCred) = c(ant);
    (cash ? r.TtDeb : r.TtCred) = c(var);
    ledger::finishRow(r);
    return r;
}

ledger::LctoRow lcto(int codigo, QDate data, int dest, int orig, const QString &hsto,
                     const QString &numDoc, qint64 valor)
{
    ledger::LctoRow r;
    r.Cta = 11;
    r.Codigo = codigo;
    r.Data = data;
    r.Dest = dest;
    r.Orig = orig;
    r.Hsto = hsto;
    r.NumDoc = numDoc;
    (dest == 11 ? r.VlrDeb : r.VlrCred) = c(std::abs(valor));
    r.Valor = ledger::valorOf(11, r.VlrDeb, r.VlrCred);
    return r;
}

class StatementFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app::AjustarFormatoDatas();
        m_period = {"[Fevereiro/2007]", {2007, 2, 1}, {2007, 2, 28}, {{2026, 12, 10}, {9, 5, 3}}};
        m_account = bcte("0.01.01", 11, "Carteira", 100000, 4975);
        m_rows = ledger::withOpening(
            std::vector<ledger::LctoRow>{lcto(7, {2007, 2, 5}, 241, 11, "Mercado", "NF 1", -5000),
                                         lcto(8, {2007, 2, 5}, 11, 111, "Salário", "", 10025),
                                         lcto(12, {2007, 2, 7}, 241, 11, "Luz", "", -50)},
            m_account.SaldoAnt);
    }
    ledger::StatementPeriod m_period;
    ledger::BcteRow m_account;
    std::vector<ledger::LctoRow> m_rows;
};

} // namespace

TEST(TrialBalanceCsv, MatchesTheHandWrittenFile)
{
    const std::vector<ledger::BcteRow> rows{
        bcte("0", 0, "Saldo/Circulante", -123450, 10000),
        bcte("0.01.01", 11, "Carteira \"A\"", -123450, 10000),
        bcte("3", 0, "", -1, 0),
    };
    EXPECT_EQ(rows[2].TituloDescr, "Resultado Devedor Ano Anterior");
    const app::CsvWriter w = ledger::trialBalanceCsv(
        kUser, " Balancete [Fevereiro/2007] ",
        {"Conta", "Red", "Nome da Conta", "Sld 31/01/07", "Mov Fev/07", "Sld 28/02/07"}, rows);
    EXPECT_EQ(w.bytes(), fixture("Balancete.CSV"));
}

TEST_F(StatementFiles, OneAccountWithThePeriodsMovement)
{
    EXPECT_EQ(ledger::statementCsv(kUser, m_period, m_account, m_rows, false).bytes(),
              fixture("ExtratoDeConta.CSV"));
}

TEST_F(StatementFiles, OneAccountWithDailyTotals)
{
    EXPECT_EQ(ledger::statementCsv(kUser, m_period, m_account, m_rows, true).bytes(),
              fixture("ExtratoDeContaDiario.CSV"));
}

TEST_F(StatementFiles, AllAccountsOfTheViewSkippingTitles)
{
    // A ledger holding only the three rows of account 11; account 12 has no entries.
    const std::vector<ledger::BcteRow> view{bcte("0.01", 0, "Dinheiro", 100000, 4975), m_account,
                                            bcte("0.01.02", 12, "Cartão Alimentação", 0, 0)};
    const ledger::Ledger l = ledger::Ledger::fromRows(m_rows);
    EXPECT_EQ(ledger::allStatementsCsv(kUser, m_period, view, l).bytes(),
              fixture("ExtratosDeTodasAsContas.CSV"));
}

TEST(YearMapCsv, WritesAllTwelveMonths)
{
    app::AjustarFormatoDatas();
    ledger::MapaRow r;
    r.ExtCta = "1";
    r.Nv = 1;
    r.Nv1 = "1";
    r.TituloDescr = "Entradas/Receitas";
    r.Mov[2] = c(123450);
    for (size_t k = 2; k < 12; ++k)
        r.Sld[k] = c(123450);
    EXPECT_EQ(ledger::yearMapCsv(kUser, ledger::mapBandCaption(2007), 2007, {r}).bytes(),
              fixture("BalanceteMapaDoAno.CSV"));
}
