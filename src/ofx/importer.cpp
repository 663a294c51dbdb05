#include "importer.h"

#include <app/format.h>
#include <data/database.h>
#include <data/table.h>
#include <entries/lookups.h>
#include <entries/period.h>

namespace ofx {

bool inRange(OfxAccount a, qint64 codRed)
{
    switch (a) {
    case OfxAccount::Banco:
        return codRed >= 10 && codRed <= 99;
    case OfxAccount::Receita:
        return codRed >= 101 && codRed <= 199;
    case OfxAccount::Despesa:
        break;
    }
    return codRed >= 201 && codRed <= 299;
}

QString outOfRangeText(OfxAccount a)
{
    switch (a) {
    case OfxAccount::Banco:
        return "\"Conta Banco\" deve ser uma \"Conta de Circulante\".\r\nVerifique!";
    case OfxAccount::Receita:
        return "Digite um código de \"Conta de Receita\" (entre 101 e 199)!";
    case OfxAccount::Despesa:
        break;
    }
    return "Digite um código de \"Conta de Despesa\" (entre 201 e 299)!";
}

QString unknownAccountText(OfxAccount a)
{
    const char *group = a == OfxAccount::Banco     ? "Conta de Circulante"
                        : a == OfxAccount::Receita ? "Conta de Receita"
                                                   : "Conta de Despesa";
    return QString("Este código de \"") + group + "\"\r\né inexistente. Redigite!";
}

QString notFilledText(OfxAccount a)
{
    const char *name = a == OfxAccount::Banco     ? "Conta Banco"
                       : a == OfxAccount::Receita ? "Conta Receita"
                                                  : "Conta Despesa";
    return QString("\"") + name + "\" deve ser preenchida!";
}

QString defaultHistory()
{
    return "IMPORTADO OFX";
}

// One statement per chunk of rows: a VALUES list of (row, date, centavos) joined to the entries
// over IdxSaldos (Data first) with the amount compared exactly.
void markSimilar(data::Database &db, const QString &fin, std::vector<ImportRow> &rows)
{
    constexpr size_t kChunk = 300; // 900 parameters, well inside SQLite's limit
    for (size_t start = 0; start < rows.size(); start += kChunk) {
        const size_t end = std::min(rows.size(), start + kChunk);
        QStringList values;
        QVariantList params;
        for (size_t i = start; i < end; ++i) {
            rows[i].similar = false;
            values << "(?,?,?)";
            params << qint64(i) << rows[i].row.Data.toString("yyyy-MM-dd")
                   << rows[i].row.Valor.centavos();
        }
        data::Statement st = db.prepare("WITH r(i, d, v) AS (VALUES " + values.join(',') +
                                        ") SELECT r.i FROM r WHERE EXISTS (SELECT 1 FROM " + fin +
                                        " f WHERE f.Data = r.d AND f.Valor = r.v)");
        st.bindAll(params);
        while (st.step())
            rows[size_t(st.column(0).toLongLong())].similar = true;
    }
}

static const OfxAccount kAccounts[3] = {OfxAccount::Banco, OfxAccount::Receita,
                                        OfxAccount::Despesa};

std::optional<ImportProblem> checkImport(data::Database &db, const data::Table &tbCta,
                                         const Preferences &prefs, std::span<const ImportRow> rows,
                                         const QDate &fechadoAte)
{
    using K = ImportProblem::Kind;
    const int codes[3] = {prefs.Cta0OFX, prefs.Cta1OFX, prefs.Cta2OFX};
    for (int i = 0; i < 3; ++i)
        if (codes[i] <= 0)
            return ImportProblem{K::AccountNotFilled, notFilledText(kAccounts[i]), kAccounts[i]};
    for (int i = 0; i < 3; ++i) {
        if (!inRange(kAccounts[i], codes[i]))
            return ImportProblem{K::AccountOutOfRange, outOfRangeText(kAccounts[i]), kAccounts[i]};
        if (!entries::findAccount(db, tbCta, codes[i]))
            return ImportProblem{K::AccountUnknown, unknownAccountText(kAccounts[i]), kAccounts[i]};
    }
    int included = 0, closed = 0;
    for (const ImportRow &r : rows) {
        if (!r.include)
            continue;
        ++included;
        if (entries::entryClosed(r.row.Data, fechadoAte))
            ++closed;
    }
    if (closed > 0)
        return ImportProblem{K::Closed, closedRowsText(closed), {}};
    if (included == 0)
        return ImportProblem{K::NothingToImport,
                             "Nenhum lançamento deste arquivo OFX\r\nfoi escolhido para importar!",
                             {}};
    return std::nullopt;
}

QString closedRowsText(int count)
{
    return "Neste arquivo OFX, há " + QString::number(count) + " lançamento(s) com data" + "\r\n" +
           "anterior à data informada de não permissão de alterações!" + "\r\n\r\n" +
           "Se você precisa mesmo importar este(s) lançamento(s)," + "\r\n" +
           "vá até as \"Configurações do Usuário\" e mude a data de" + "\r\n" +
           "permissão de alterações para uma data anterior à data" + "\r\n" +
           "dos lançamentos deste arquivo OFX!";
}

QString similarRowsQuestion(int count)
{
    return "Neste arquivo OFX, há " + QString::number(count) + " lançamento(s) semelhante(s)" +
           "\r\n" + "a lançamentos já existentes no Controle Financeiro do" + "\r\n" +
           "usuário. Possivelmente já tenham sido lançados ou" + "\r\n" +
           "importados anteriormente!" + "\r\n\r\n" + "Tem certeza que deseja continuar?";
}

QString importQuestion(int count)
{
    return "Você tem certeza que deseja importar\r\nesse(s) " + QString::number(count) +
           " lançamento(s) do arquivo OFX?";
}

QString importedText(int count, const QString &mark)
{
    return "Ok. Importado(s) com sucesso " + QString::number(count) +
           " lançamento(s)! Para facilitar" + "\r\n" + "a identificação, foi adicionado o código " +
           mark + "\r\n" + "no campo Anotação de cada um desses lançamentos!" + "\r\n\r\n" +
           "Por favor, revise cada lançamento importado," + "\r\n" +
           "digitando as contas corretas e ajustando o histórico.";
}

// CHAR columns keep no trailing blanks and store an empty text as NULL.
static QVariant charValue(const QString &text)
{
    QString t = text;
    while (!t.isEmpty() && t.back().isSpace())
        t.chop(1);
    return t.isEmpty() ? QVariant() : QVariant(t);
}

ImportResult importRows(data::Database &db, data::Table &tbFin, std::span<const ImportRow> rows,
                        const QDate &today, const std::function<void(int)> &beforeRow)
{
    ImportResult result;
    {
        data::Transaction tx(db);
        data::Statement ins =
            db.prepare("INSERT INTO " + tbFin.sqlName() +
                       " (Data, CtaDeb, CtaCred, Valor, Hsto, NumDoc, Confirmado, Obs, DataLog)"
                       " VALUES (?,?,?,?,?,?,?,?,?)");
        for (size_t i = 0; i < rows.size(); ++i) {
            const ImportRow &r = rows[i];
            if (!r.include)
                continue;
            if (beforeRow)
                beforeRow(int(i));
            const StagingRow &s = r.row;
            const QString hsto = s.Hsto.trimmed().isEmpty() ? defaultHistory() : s.Hsto;
            ins.reset();
            ins.bindAll({s.Data.toString("yyyy-MM-dd"), s.CtaDeb, s.CtaCred, s.Valor.centavos(),
                         charValue(hsto), charValue(s.NumDoc), s.Confirmado ? 1 : 0,
                         result.count == 0 ? QVariant() : QVariant(result.mark),
                         today.toString("yyyy-MM-dd")});
            ins.step();
            if (result.count == 0) {
                result.firstCodigo = ins.lastInsertRowId();
                result.mark = "[OFX" + app::formatNumber(result.firstCodigo, "000000") + "]";
                db.exec("UPDATE " + tbFin.sqlName() + " SET Obs=? WHERE Codigo=?",
                        {result.mark, result.firstCodigo});
            }
            ++result.count;
        }
        tx.commit();
    }
    tbFin.setIndexName({});
    tbFin.refresh();
    if (result.count > 0)
        tbFin.findKey({result.firstCodigo});
    return result;
}

} // namespace ofx
