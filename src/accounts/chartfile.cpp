#include "chartfile.h"

#include "accountcode.h"

#include <QSet>

namespace accounts {

QByteArray writeChartFile(const std::vector<CtaRow> &rows, const TrailerRandom &random)
{
    std::vector<QByteArray> fields;
    fields.reserve(rows.size());
    for (const CtaRow &r : rows)
        fields.push_back(textField(r.codCta, 10) + numberField(r.codRed.value_or(0), 4) +
                         textField(r.descricao, 50) + textField(r.descParaHsto, 20));
    return writeExchangeFile(fields, kChartCycle, random);
}

static std::optional<CtaRow> parseRecord(const QByteArray &f)
{
    const std::optional<qint64> red = fieldNumber(f.mid(10, 4));
    const std::optional<QString> code = fieldText(f.left(10));
    const std::optional<QString> name = fieldText(f.mid(14, 50));
    // The history name is not read back, but a control byte there still tells a file that the
    // program did not write.
    if (!red || !code || !name || !fieldText(f.mid(64, 20)))
        return std::nullopt;
    CtaRow row;
    row.codCta = *code;
    if (*red != 0)
        row.codRed = *red;
    row.descricao = *name;
    return row;
}

static bool rowFitsChart(const CtaRow &r)
{
    if (!isWellFormed(r.codCta) || r.descricao.isEmpty())
        return false;
    if (codeLevel(r.codCta) < 3)
        return !r.codRed;
    return r.codRed && codRedInRange(*r.codRed, codeGroup(r.codCta));
}

// What the editor's checks guarantee for a stored chart, checked for the file as a whole: the
// storage would refuse a repeated code only halfway through the import, a repeated reduced
// code would make entries point at two accounts, and without its root a group can never get
// an account, since the editor neither creates nor edits the roots.
static bool formsAChart(const std::vector<CtaRow> &rows)
{
    QSet<QString> codes;
    QSet<qint64> reds;
    int roots = 0;
    for (const CtaRow &r : rows) {
        if (!rowFitsChart(r) || codes.contains(r.codCta))
            return false;
        if (r.codRed && reds.contains(*r.codRed))
            return false;
        codes.insert(r.codCta);
        if (r.codRed)
            reds.insert(*r.codRed);
        if (isGroupRoot(r.codCta))
            ++roots;
    }
    if (roots != 3)
        return false;
    for (const CtaRow &r : rows)
        if (codeLevel(r.codCta) > 1 && !codes.contains(parentCode(r.codCta)))
            return false;
    return true;
}

ChartFileContent readChartFile(const QByteArray &bytes)
{
    const ExchangeContent content = readExchangeFile(bytes, kChartCycle);
    if (content.status != ExchangeStatus::Valid)
        return {content.status, {}};
    ChartFileContent out{ExchangeStatus::Valid, {}};
    for (const QByteArray &f : content.fields) {
        std::optional<CtaRow> row = parseRecord(f);
        if (!row)
            return {};
        out.rows.push_back(std::move(*row));
    }
    if (!formsAChart(out.rows))
        return {};
    return out;
}

} // namespace accounts
