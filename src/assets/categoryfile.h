// The asset categories' exchange file (".KCB"): one 47-byte record line per category in code
// order (record number, code, name, line check), then the trailer of the exchange scheme.
// Reading gives the categories back only when the whole file passes, so an import has every
// category of the file or none.
#pragma once

#include "assetstore.h"

#include <accounts/exchangefile.h>

#include <QByteArray>

#include <vector>

namespace assets {

inline constexpr accounts::WeightCycle kCategoryCycle{21, 40};
inline constexpr accounts::RecordLayout kCategoryLayout{33, 8};

// Throws app::Error for a code that does not fit its three digits.
QByteArray writeCategoryFile(const std::vector<CategoryRow> &rows,
                             const accounts::TrailerRandom &random);

struct CategoryFileContent
{
    accounts::ExchangeStatus status = accounts::ExchangeStatus::Invalid;
    std::vector<CategoryRow> rows; // only when Valid, in file order
};
// Valid when the scheme's checks hold and every code is 1 to 99, appears once and has a name
// without control characters.
CategoryFileContent readCategoryFile(const QByteArray &bytes);

} // namespace assets
