#include "historyfile.h"

#include <QSet>

namespace accounts {

QByteArray writeHistoryFile(const std::vector<HstoRow> &rows, const TrailerRandom &random)
{
    std::vector<QByteArray> fields;
    fields.reserve(rows.size());
    for (const HstoRow &r : rows)
        fields.push_back(numberField(r.codigo, 3) + textField(r.descricao, 80) +
                         textField(r.tipo, 1));
    return writeExchangeFile(fields, kHistoryCycle, random);
}

HistoryFileContent readHistoryFile(const QByteArray &bytes)
{
    const ExchangeContent content = readExchangeFile(bytes, kHistoryCycle);
    if (content.status != ExchangeStatus::Valid)
        return {content.status, {}};
    HistoryFileContent out{ExchangeStatus::Valid, {}};
    QSet<qint64> codes;
    for (const QByteArray &f : content.fields) {
        const std::optional<qint64> codigo = fieldNumber(f.left(3));
        const std::optional<QString> text = fieldText(f.mid(3, 80));
        // The type is one character or none; a control byte is no type at all.
        const std::optional<QString> tipo = fieldText(f.mid(83, 1));
        // A repeated code would be refused by the storage halfway through the import, and the
        // editor never stores a history without its text.
        if (!codigo || codes.contains(*codigo) || !text || text->isEmpty() || !tipo)
            return {};
        codes.insert(*codigo);
        out.rows.push_back({*codigo, *text, *tipo});
    }
    return out;
}

} // namespace accounts
