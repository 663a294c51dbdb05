// The PDF file output of a laid-out report. Gui tier: no widgets, so it runs in tests and in the
// benchmark without a screen.
#pragma once

#include "document.h"

namespace reports {

// Writes every page of `doc` to the PDF file `path`, on the paper of doc.pageLayout(), with the
// report's title in the file's metadata; `progress` gets each page number as it is written.
// The pages go to a temporary file in the same folder that replaces `path` only once complete.
// Throws app::Error, naming the file, when the folder is missing or read-only or the disk is
// full; then no file is left behind and a file already at `path` is unchanged.
void writePdf(const Document &doc, const QString &path, const Progress &progress = {});

} // namespace reports
