// The history exchange file (".KHP"): one record per standard history in code order with the
// code, the text and the type, then the trailer. Reading gives the histories back only when
// the whole file passes, so an import either has every history or none.
#pragma once

#include "accountrows.h"
#include "exchangefile.h"

#include <QByteArray>

#include <vector>

namespace accounts {

// The file's bytes for `rows` (already in code order). Throws app::Error for a code that does
// not fit its three digits.
QByteArray writeHistoryFile(const std::vector<HstoRow> &rows, const TrailerRandom &random);

struct HistoryFileContent
{
    ExchangeStatus status = ExchangeStatus::Invalid;
    std::vector<HstoRow> rows; // only when Valid
};
// Valid when the scheme's checks hold, no code appears twice, every history has its text, and
// neither the text nor the type (one character, or a blank for none) holds a control
// character.
HistoryFileContent readHistoryFile(const QByteArray &bytes);

} // namespace accounts
