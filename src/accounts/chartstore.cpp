#include "chartstore.h"

#include "tablereplace.h"

#include <data/UDM.h>

#include <app/error.h>

#include <QScopeGuard>
#include <QSet>

namespace accounts {

ChartStore::ChartStore(data::TDM &dm) : m_dm(dm) {}

int ChartStore::countWithPrefix(const QString &prefix) const
{
    // substr instead of LIKE: '_' and '%' in a code must not act as wildcards.
    return int(m_dm.db()
                   .scalar("SELECT count(*) FROM " + m_dm.TbCta->sqlName() +
                               " WHERE substr(CodCta, 1, ?) = ?",
                           {qlonglong(prefix.size()), prefix})
                   .toLongLong());
}

bool ChartStore::codeExists(const QString &code) const
{
    return m_dm.db()
        .scalar("SELECT 1 FROM " + m_dm.TbCta->sqlName() + " WHERE CodCta = ? LIMIT 1", {code})
        .isValid();
}

bool ChartStore::codRedExists(qint64 codRed) const
{
    return m_dm.db()
        .scalar("SELECT 1 FROM " + m_dm.TbCta->sqlName() + " WHERE CodRed = ? LIMIT 1",
                {qlonglong(codRed)})
        .isValid();
}

ChartStore::Usage ChartStore::usage(qint64 codRed) const
{
    data::Database &db = m_dm.db();
    // The budget table is not kept open; attaching it here works whether or not it is.
    const data::AttachGuard fin(db, m_dm.TbFin->fileName());
    const data::AttachGuard orc(db, m_dm.TbOrc->fileName());
    const QVariantList red{qlonglong(codRed)};
    Usage u;
    u.lancamentos =
        db.scalar("SELECT 1 FROM " + fin.table() + " WHERE CtaDeb = ?1 OR CtaCred = ?1 LIMIT 1",
                  red)
            .isValid();
    u.orcamento =
        db.scalar("SELECT 1 FROM " + orc.table() + " WHERE CodRed = ? LIMIT 1", red).isValid();
    return u;
}

CtaEditContext ChartStore::contextFor(const CtaRow &row, int group) const
{
    CtaEditContext ctx;
    ctx.group = group;
    ctx.CodCtaAnt = row.codCta;
    if (row.codRed) {
        ctx.CodRedAnt = *row.codRed;
        const Usage u = usage(*row.codRed);
        ctx.TemLancamentos = u.lancamentos;
        ctx.TemOrcamento = u.orcamento;
    }
    return ctx;
}

std::optional<QString> ChartStore::deleteRefusal(const CtaRow &row) const
{
    if (row.codCta.size() < 7) {
        if (countWithPrefix(row.codCta) > 1)
            return deleteHasSubaccountsMessage();
        return std::nullopt;
    }
    if (!row.codRed)
        return std::nullopt;
    const Usage u = usage(*row.codRed);
    if (u.lancamentos || u.orcamento)
        return deleteInUseMessage(u.lancamentos, u.orcamento);
    return std::nullopt;
}

void ChartStore::renumberAndPost(qint64 oldCodRed, qint64 newCodRed)
{
    data::Database &db = m_dm.db();
    // Held across the transaction: SQLite cannot detach a file while a transaction is open.
    const data::AttachGuard fin(db, m_dm.TbFin->fileName());
    const data::AttachGuard orc(db, m_dm.TbOrc->fileName());
    const QVariantList p{qlonglong(newCodRed), qlonglong(oldCodRed)};
    data::Table *cta = m_dm.TbCta;
    auto resync = qScopeGuard([cta] {
        // A post the rollback undid leaves the table object browsing a row that is gone.
        if (cta->state() == data::Table::State::Browse)
            app::noThrow("renumberAndPost: refresh", [cta] { cta->refresh(); });
    });
    {
        data::Transaction tr(db);
        db.exec("UPDATE " + fin.table() + " SET CtaDeb = ? WHERE CtaDeb = ?", p);
        db.exec("UPDATE " + fin.table() + " SET CtaCred = ? WHERE CtaCred = ?", p);
        db.exec("UPDATE " + orc.table() + " SET CodRed = ? WHERE CodRed = ?", p);
        cta->post();
        tr.commit();
    }
    resync.dismiss();
    m_dm.TbFin->refresh();
    if (m_dm.TbOrc->isActive())
        m_dm.TbOrc->refresh();
}

std::vector<CtaRow> ChartStore::rows() const
{
    data::Statement st = m_dm.db().prepare("SELECT CodCta, CodRed, Descricao, DescParaHsto FROM " +
                                           m_dm.TbCta->sqlName() + " ORDER BY CodCta, rowid");
    std::vector<CtaRow> out;
    while (st.step()) {
        CtaRow r;
        r.codCta = st.column(0).toString();
        if (st.column(1).isValid())
            r.codRed = st.column(1).toLongLong();
        r.descricao = st.column(2).toString();
        r.descParaHsto = st.column(3).toString();
        out.push_back(std::move(r));
    }
    return out;
}

bool ChartStore::entriesEmpty() const
{
    return !m_dm.db().scalar("SELECT 1 FROM " + m_dm.TbFin->sqlName() + " LIMIT 1").isValid();
}

std::vector<qint64> ChartStore::budgetCodesMissingFrom(const std::vector<CtaRow> &rows) const
{
    QSet<qint64> kept;
    for (const CtaRow &r : rows)
        if (r.codRed)
            kept.insert(*r.codRed);
    data::Database &db = m_dm.db();
    const data::AttachGuard orc(db, m_dm.TbOrc->fileName());
    data::Statement st =
        db.prepare("SELECT DISTINCT CodRed FROM " + orc.table() + " ORDER BY CodRed");
    std::vector<qint64> missing;
    while (st.step()) {
        const qint64 cod = st.column(0).toLongLong();
        if (!kept.contains(cod))
            missing.push_back(cod);
    }
    return missing;
}

void ChartStore::replace(const std::vector<CtaRow> &rows)
{
    std::vector<QVariantList> values;
    values.reserve(rows.size());
    for (const CtaRow &r : rows)
        values.push_back({r.codCta, r.codRed ? QVariant(qlonglong(*r.codRed)) : QVariant(),
                          r.descricao, r.descParaHsto});
    replaceRows(m_dm.db(), *m_dm.TbCta, values);
}

QString orphanedBudgetMessage(const std::vector<qint64> &codes)
{
    QStringList shown;
    for (size_t i = 0; i < codes.size() && i < 10; ++i)
        shown << QString::number(codes[i]);
    if (codes.size() > 10)
        shown << "...";
    return "O Orçamento usa contas que não existem neste\r\nPlano de Contas (códigos reduzidos: " +
           shown.join(", ") +
           ").\r\n\r\nO Plano de Contas não foi importado! Retire do Orçamento os\r\nvalores "
           "dessas contas ou importe um Plano de Contas que as tenha.";
}

CtaRow ChartStore::currentRow(const data::Table &t)
{
    CtaRow r;
    r.codCta = t.asString("CodCta");
    if (!t.isNull("CodRed"))
        r.codRed = t.asInt("CodRed");
    r.descricao = t.asString("Descricao");
    r.descParaHsto = t.asString("DescParaHsto");
    return r;
}

} // namespace accounts
