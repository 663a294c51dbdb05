#include "catalogue.h"

#include "definitions.h"
#include "reportrules.h"

#include <app/error.h>
#include <data/catalogue.h>

namespace reports {

namespace {

class Context : public ReportContext
{
public:
    Context(const QHash<QString, QString> &params, const QHash<QString, DataView> &views)
        : m_params(params), m_views(views)
    {
    }
    const DataView &view(const QString &name) const override
    {
        const auto it = m_views.constFind(name);
        if (it == m_views.cend())
            QUORVILA_THROW(app::Error, "Dados do relatório não disponíveis (" + name + ")!");
        return *it;
    }
    QString param(const QString &name) const override { return m_params.value(name); }

private:
    const QHash<QString, QString> &m_params;
    const QHash<QString, DataView> &m_views;
};

void fillUser(PageHeader &h, const QHash<QString, DataView> &views)
{
    const auto it = views.constFind("DvUser");
    if (it == views.cend() || it->isEmpty())
        return;
    const QVariant cod = it->value(0, "Cod");
    h.userLine = data::catalogue::codUsuario(cod.toInt()) + "  " + it->text(0, "Nome");
    h.cidadeUF = it->text(0, "CidadeUF");
}

} // namespace

void Catalogue::setParameter(const QString &name, const QString &text)
{
    m_params.insert(name, text);
}

QString Catalogue::parameter(const QString &name) const
{
    return m_params.value(name);
}

void Catalogue::setDataView(const QString &name, DataView view)
{
    m_views.insert(name, std::move(view));
}

bool Catalogue::isEmpty(const QString &report) const
{
    const auto it = m_views.constFind(primaryViewOf(report));
    return it == m_views.cend() || it->isEmpty();
}

BandedReport Catalogue::define(const QString &name) const
{
    if (!reportNames().contains(name))
        QUORVILA_THROW(app::Error, "Relatório '" + name + "' não encontrado!");
    const Context ctx(m_params, m_views);
    ctx.view(primaryViewOf(name)); // a missing view is named before anything else
    if (isEmpty(name))
        QUORVILA_THROW(app::Error, "Nenhum dado para imprimir!");
    BandedReport report = defineReport(name, ctx);
    fillUser(report.header, m_views);
    report.header.issuedAt = issueTime();
    return report;
}

std::unique_ptr<Document> Catalogue::build(const QString &name, const Progress &progress) const
{
    return layOut(define(name), progress);
}

} // namespace reports
