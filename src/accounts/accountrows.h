// The chart's and the histories' rows as plain values: what the exchange files, the CSV listings
// and the replacing of a table carry between the table files and the rules, without a table
// object in between.
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace accounts {

struct CtaRow
{
    QString codCta;
    std::optional<qint64> codRed; // empty for the heading accounts of levels 1 and 2
    QString descricao;
    QString descParaHsto;

    bool operator==(const CtaRow &) const = default;
};

struct HstoRow
{
    qint64 codigo = 0;
    QString descricao;
    QString tipo; // one character or empty

    bool operator==(const HstoRow &) const = default;
};

} // namespace accounts
