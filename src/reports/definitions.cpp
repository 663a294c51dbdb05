#include "definitions.h"

#include "definitions_internal.h"

#include <app/dates.h>
#include <app/error.h>
#include <app/format.h>

namespace reports {

namespace internal {

QColor toneColor(Tone t)
{
    switch (t) {
    case Tone::Positive:
        return kPositive;
    case Tone::Negative:
        return kNegative;
    case Tone::Neutral:
        break;
    }
    return kNeutral;
}

Band rowBand(const std::vector<Column> &cols, const QStringList &texts)
{
    Band b;
    b.cells.reserve(cols.size());
    for (size_t i = 0; i < cols.size(); ++i)
        b.cells.push_back({cols[i].x, cols[i].width, texts.value(int(i)), FontRole::Normal,
                           Qt::black, cols[i].align});
    return b;
}

Cell cell(qreal x, qreal width, const QString &text, FontRole font, Qt::Alignment align,
          QColor color)
{
    return {x, width, text, font, color, align};
}

Cell signedCell(qreal x, qreal width, double value, bool withTolerance, FontRole font)
{
    const SignedText s = signedAmount(value, withTolerance);
    return {x, width, s.text, font, toneColor(s.tone), Qt::AlignRight};
}

void setSigned(Band &band, int i, double value, bool withTolerance)
{
    const SignedText s = signedAmount(value, withTolerance);
    band.cells[size_t(i)].text = s.text;
    band.cells[size_t(i)].color = toneColor(s.tone);
}

QString amount(const QVariant &v)
{
    return v.isNull() ? QString() : app::formatNumber(v.toDouble(), "#,##0.00");
}

QString dateText(const QVariant &v)
{
    return v.isNull() ? QString() : app::formatDate(v.toDate());
}

QString codeText(const QVariant &v, const char *pattern)
{
    return v.isNull() ? QString() : app::formatNumber(v.toLongLong(), pattern);
}

void applyAccountLevel(Band &b, const QString &code)
{
    switch (accountLevel(code)) {
    case AccountLevel::Group:
        b.shade = kGroupShade;
        b.cells[0].font = b.cells[1].font = FontRole::Bold;
        break;
    case AccountLevel::Title:
        b.cells[1].font = FontRole::Bold;
        break;
    case AccountLevel::Detail:
        break;
    }
}

Band blankBand(qreal height)
{
    Band b;
    b.height = height;
    return b;
}

// RepHsto, RepBensCat, RepCta: a code and a name per row; the chart by account levels.
BandedReport listReport(const QString &name, const ReportContext &ctx)
{
    BandedReport r;
    if (name == "RepHsto") {
        r.header.title = "Relação de Históricos";
        r.columns = {{"Cod", 0, 36, Qt::AlignRight}, {"Histórico/Descrição", 48, 490}};
        const DataView &v = ctx.view("DvHsto");
        for (int i = 0; i < v.rowCount(); ++i)
            r.bands.push_back(rowBand(r.columns, {v.text(i, "Codigo"), v.text(i, "Descricao")}));
        return r;
    }
    if (name == "RepBensCat") {
        r.header.title = "Relação de Categorias de Bens";
        r.columns = {{"Cod", 0, 36, Qt::AlignRight}, {"Nome da Categoria", 48, 300}};
        const DataView &v = ctx.view("DvBensCat");
        for (int i = 0; i < v.rowCount(); ++i)
            r.bands.push_back(rowBand(r.columns, {v.text(i, "CodCat"), v.text(i, "NomeCat")}));
        return r;
    }
    r.header.title = "Plano de Contas";
    r.columns = {
        {"Conta", 0, 60}, {"Nome/Descrição da Conta", 66, 380}, {"Red", 450, 40, Qt::AlignRight}};
    const DataView &v = ctx.view("DvCta");
    for (int i = 0; i < v.rowCount(); ++i) {
        const QString code = v.text(i, "CodCta");
        Band b = rowBand(r.columns,
                         {code, indentedName(code, v.text(i, "Descricao")), v.text(i, "CodRed")});
        applyAccountLevel(b, code);
        r.bands.push_back(b);
    }
    return r;
}

// RepFinPesq, RepFinProx: the entries found, one line each.
BandedReport entryReport(const QString &name, const ReportContext &ctx)
{
    BandedReport r;
    r.header.title = ctx.param("ReportTitle1");
    r.columns = {{"Código", 0, 38, Qt::AlignCenter},
                 {"Data", 40, 50, Qt::AlignCenter},
                 {"Dest ", 92, 28, Qt::AlignRight},
                 {"Orig", 124, 28, Qt::AlignRight},
                 {"Valor", 154, 62, Qt::AlignRight},
                 {"Histórico/Descrição", 224, 224},
                 {"Num Doc", 452, 62},
                 {"Ok", 516, 23, Qt::AlignCenter}};
    const DataView &v = ctx.view(name == "RepFinPesq" ? "DvFinPesq" : "DvFinProx");
    for (int i = 0; i < v.rowCount(); ++i)
        r.bands.push_back(rowBand(r.columns, {codeText(v.value(i, "Codigo"), "000000"),
                                              dateText(v.value(i, "Data")), v.text(i, "CtaDeb"),
                                              v.text(i, "CtaCred"), amount(v.value(i, "Valor")),
                                              v.text(i, "Hsto"), v.text(i, "NumDoc"),
                                              v.value(i, "Confirmado").toBool() ? "Ok" : "--"}));
    return r;
}

// RepBens, RepBensPesq: the assets with their value on the date the caller names, and the total.
BandedReport assetReport(const QString &name, const ReportContext &ctx)
{
    BandedReport r;
    const bool search = name == "RepBensPesq";
    const QString when = ctx.param("DataVlrBens");
    r.header.title = search ? ctx.param("ReportTitle1") : QString("Relação de Bens");
    r.columns = {{"Código", 0, 36, Qt::AlignCenter},
                 {"Descrição do Bem", 40, 172},
                 {"Aquisição", 214, 50, Qt::AlignCenter},
                 {"Cat", 266, 22, Qt::AlignRight},
                 {"Categoria", 294, 100},
                 {"Vlr Aquisição", 396, 68, Qt::AlignRight},
                 {"Valor " + when, 466, 73, Qt::AlignRight}};
    const DataView &v = ctx.view(search ? "DvBensPesq" : "DvBens");
    double total = 0;
    for (int i = 0; i < v.rowCount(); ++i) {
        total += v.number(i, "ValorAtual");
        r.bands.push_back(rowBand(
            r.columns, {codeText(v.value(i, "Codigo"), "000000"), v.text(i, "Descricao"),
                        dateText(v.value(i, "DtAquisicao")), codeText(v.value(i, "CodCat"), "00"),
                        v.text(i, "Categoria"), amount(v.value(i, "VlrAquisicao")),
                        amount(v.value(i, "ValorAtual"))}));
    }
    Band footer;
    footer.height = 16;
    footer.lineAbove = true;
    footer.cells = {
        cell(0, 120, QString::number(v.rowCount()) + " bens.", FontRole::Bold),
        cell(200, 264, "Valor Total dos Bens em " + when + ":", FontRole::Bold, Qt::AlignRight),
        cell(466, 73, app::formatNumber(total, "#,##0.00"), FontRole::Bold, Qt::AlignRight)};
    r.bands.push_back(footer);
    return r;
}

} // namespace internal

using namespace internal;

QStringList reportNames()
{
    return {"RepHsto",    "RepBensCat",       "RepCta",          "RepFinPesq",  "RepFinProx",
            "RepBens",    "RepBensPesq",      "RepBcte",         "RepOrc",      "RepRazao",
            "RepExtrato", "RepExtratoDiario", "RepMatFinDivida", "RepMatFinCap"};
}

QString primaryViewOf(const QString &report)
{
    static const QHash<QString, QString> views = {{"RepHsto", "DvHsto"},
                                                  {"RepBensCat", "DvBensCat"},
                                                  {"RepCta", "DvCta"},
                                                  {"RepFinPesq", "DvFinPesq"},
                                                  {"RepFinProx", "DvFinProx"},
                                                  {"RepBens", "DvBens"},
                                                  {"RepBensPesq", "DvBensPesq"},
                                                  {"RepBcte", "DvBcte"},
                                                  {"RepOrc", "DvOrc"},
                                                  {"RepRazao", "DvBcte"},
                                                  {"RepExtrato", "DvLctos"},
                                                  {"RepExtratoDiario", "DvLctos"},
                                                  {"RepMatFinDivida", "DvMatFinGrid"},
                                                  {"RepMatFinCap", "DvMatFinGrid"}};
    return views.value(report);
}

BandedReport defineReport(const QString &name, const ReportContext &ctx)
{
    if (name == "RepHsto" || name == "RepBensCat" || name == "RepCta")
        return listReport(name, ctx);
    if (name == "RepFinPesq" || name == "RepFinProx")
        return entryReport(name, ctx);
    if (name == "RepBens" || name == "RepBensPesq")
        return assetReport(name, ctx);
    if (name == "RepBcte")
        return trialBalanceReport(ctx);
    if (name == "RepOrc")
        return budgetReport(ctx);
    if (name == "RepRazao")
        return ledgerReport(ctx);
    if (name == "RepExtrato" || name == "RepExtratoDiario")
        return statementReport(ctx, name == "RepExtratoDiario");
    if (name == "RepMatFinDivida" || name == "RepMatFinCap")
        return matFinReport(ctx, name == "RepMatFinDivida");
    QUORVILA_THROW(app::Error, "Relatório '" + name + "' não encontrado!");
}

} // namespace reports
