// The register's printed lists: the asset rows and the categories as the reports' data views
// (DvBens, DvBensPesq, DvBensCat), amounts in reais.
#pragma once

#include "listings.h"

#include <reports/dataview.h>

namespace assets {

reports::DataView assetView(const std::vector<AssetRow> &rows);
reports::DataView categoryView(const std::vector<CategoryRow> &rows);

} // namespace assets
