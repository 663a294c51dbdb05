#include "search.h"

#include <app/format.h>
#include <data/database.h>

#include <QRegularExpression>

namespace entries {

using app::Money;

QStringList entryOrderChoices()
{
    return {"Código", "Data", "Valor", "Conta Destino", "Conta Origem", "Num Documento"};
}

QString orderByOf(EntryOrder order)
{
    switch (order) {
    case EntryOrder::Codigo:
        return "Codigo";
    case EntryOrder::Valor:
        return "Valor, Data, Codigo";
    case EntryOrder::CtaDeb:
        return "CtaDeb, Data, Codigo";
    case EntryOrder::CtaCred:
        return "CtaCred, Data, Codigo";
    case EntryOrder::NumDoc:
        return "NumDoc, Data, Codigo";
    case EntryOrder::Data:
        break;
    }
    return "Data, Codigo";
}

QString invertedPeriodText()
{
    return "Data Final deve ser maior ou igual\r\na Data Inicial. Por favor, verifique!";
}

QString noCriterionText()
{
    return "Por favor, digite a informação\r\nque você quer pesquisar!";
}

namespace {

struct Conditions
{
    QStringList parts;
    QVariantList params;
    void add(const QString &part, const QVariantList &p)
    {
        parts << part;
        params << p;
    }
};

QString isoDate(const QDate &d)
{
    return d.toString("yyyy-MM-dd");
}

// Reduced codes separated by blanks; empty optional when a part is not a whole number.
std::optional<QList<qint64>> codesOf(const QString &text, QString *bad)
{
    QList<qint64> codes;
    static const QRegularExpression blanks("\\s+");
    for (const QString &part : text.trimmed().split(blanks, Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 c = part.toLongLong(&ok);
        if (!ok) {
            *bad = part;
            return std::nullopt;
        }
        codes << c;
    }
    return codes;
}

// "(CtaDeb=? OR CtaDeb=?)" and the like; `columns` are matched each against every code.
std::optional<SearchProblem> addAccounts(Conditions &c, const QString &text,
                                         const QStringList &columns, SearchField field)
{
    QString bad;
    const auto codes = codesOf(text, &bad);
    if (!codes)
        return SearchProblem{"'" + bad + "' não é um valor inteiro válido. Verifique!", field};
    if (codes->isEmpty())
        return std::nullopt;
    QStringList ors;
    QVariantList params;
    for (qint64 code : *codes)
        for (const QString &col : columns) {
            ors << col + "=?";
            params << code;
        }
    c.add("(" + ors.join(" OR ") + ")", params);
    return std::nullopt;
}

std::optional<SearchProblem> addPeriod(Conditions &c, const QDate &dtMin, const QDate &dtMax)
{
    if (dtMin > dtMax)
        return SearchProblem{invertedPeriodText(), SearchField::DtMax};
    c.add("(Data>=? AND Data<=?)", {isoDate(dtMin), isoDate(dtMax)});
    return std::nullopt;
}

} // namespace

std::variant<SearchQuery, SearchProblem> buildSearch(const SearchCriteria &s)
{
    Conditions c;
    if (s.period)
        if (auto p = addPeriod(c, s.dtMin, s.dtMax))
            return *p;
    if (!s.text.isEmpty()) {
        // qcontains() finds the text as typed, in any case: "%", "_" and quotes are no
        // wildcards or delimiters.
        const QString t = s.text.toUpper();
        c.add("(qcontains(Hsto, ?) OR qcontains(Obs, ?))", {t, t});
    }
    if (!s.valor.trimmed().isEmpty()) {
        QString v = s.valor.trimmed();
        v.replace('.', ',');
        const auto m = app::parseMoney(v);
        if (!m)
            return SearchProblem{"'" + s.valor +
                                     "' não é um valor de ponto flutuante válido. "
                                     "Verifique!",
                                 SearchField::Valor};
        c.add("(Valor=?)", {m->centavos()});
    }
    if (!s.numDoc.isEmpty())
        c.add("(NumDoc=?)", {s.numDoc});
    if (s.confirmado != Confirm::Any)
        c.add(s.confirmado == Confirm::Yes ? "(Confirmado=1)" : "(coalesce(Confirmado,0)=0)", {});
    if (auto p = addAccounts(c, s.cta, {"CtaCred", "CtaDeb"}, SearchField::Cta))
        return *p;
    if (auto p = addAccounts(c, s.ctaDeb, {"CtaDeb"}, SearchField::CtaDeb))
        return *p;
    if (auto p = addAccounts(c, s.ctaCred, {"CtaCred"}, SearchField::CtaCred))
        return *p;
    if (c.parts.isEmpty())
        return SearchProblem{noCriterionText(), SearchField::Texto};
    return SearchQuery{c.parts.join(" AND "), c.params, s.order};
}

std::variant<SearchQuery, SearchProblem> buildPeriodSearch(const QDate &dtMin, const QDate &dtMax,
                                                           EntryOrder order)
{
    Conditions c;
    if (auto p = addPeriod(c, dtMin, dtMax))
        return *p;
    return SearchQuery{c.parts.join(" AND "), c.params, order};
}

std::vector<FoundEntry> runSearch(data::Database &db, const QString &fin, const SearchQuery &q)
{
    data::Statement st =
        db.prepare("SELECT Codigo, Data, CtaDeb, CtaCred, Valor, Hsto, NumDoc, Obs, Confirmado "
                   "FROM " +
                   fin + " WHERE " + q.where + " ORDER BY " + orderByOf(q.order));
    st.bindAll(q.params);
    std::vector<FoundEntry> rows;
    while (st.step())
        rows.push_back(
            {st.column(0).toLongLong(), QDate::fromString(st.column(1).toString(), "yyyy-MM-dd"),
             st.column(2).toLongLong(), st.column(3).toLongLong(),
             Money::fromCentavos(st.column(4).toLongLong()), st.column(5).toString(),
             st.column(6).toString(), st.column(7).toString(), st.column(8).toLongLong() != 0});
    return rows;
}

QString resultCountText(int count)
{
    if (count == 0)
        return "Nenhum lançamento encontrado.";
    return "Foram encontrados " + QString::number(count) + " lançamentos.";
}

QString csvTitleLine(const QString &title, bool withPeriod, const QDate &dtMin, const QDate &dtMax)
{
    QString line = app::CsvWriter::quote(title);
    if (withPeriod)
        line += " | " + app::CsvWriter::date(dtMin) + " a " + app::CsvWriter::date(dtMax);
    return line;
}

app::CsvWriter foundEntriesCsv(const app::CsvUser &user, const QString &titleLine,
                               const QString &columnTitles, std::span<const FoundEntry> rows)
{
    using W = app::CsvWriter;
    W w(";;;;;;;;");
    w.addPreamble(user);
    w.addLine(titleLine + w.run());
    w.addEmptyLine();
    w.addLine(columnTitles);
    w.addEmptyLine();
    const auto cell = [](const QString &t) {
        return "\"" + t + "\";";
    };
    for (const FoundEntry &e : rows)
        w.addLine(cell(QString::number(e.Codigo)) + cell(W::date(e.Data)) +
                  cell(QString::number(e.CtaDeb)) + cell(QString::number(e.CtaCred)) +
                  cell(W::number(e.Valor)) + W::quote(e.Hsto) + ";" + W::quote(e.NumDoc) + ";" +
                  cell(e.Confirmado ? "Ok" : ""));
    return w;
}

reports::DataView foundEntriesView(std::span<const FoundEntry> rows)
{
    reports::DataView v(
        {"Codigo", "Data", "CtaDeb", "CtaCred", "Valor", "Hsto", "NumDoc", "Confirmado"});
    for (const FoundEntry &e : rows)
        v.addRow({e.Codigo, e.Data, e.CtaDeb, e.CtaCred, e.Valor.toDouble(), e.Hsto, e.NumDoc,
                  e.Confirmado});
    return v;
}

} // namespace entries
