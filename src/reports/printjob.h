// Printing a laid-out report on a printer the user has chosen. Gui tier: the printer dialog
// belongs to the screens; this only applies the options and paints the pages.
#pragma once

#include "document.h"
#include "outputoptions.h"

class QPrinter;

namespace reports {

// The job name the printing system shows in its queue.
inline constexpr const char *kPrintJobName = "Relatório Quorvila";

// Prints every page of `doc` on `printer` with the copies, collation and duplex of `options`,
// on the paper of doc.pageLayout(). Pages are painted one at a time, and `progress` is called
// with each page number before its page is painted (the status window shows it and keeps the
// screen alive). Throws app::Error when there is no printer (nor output file), when the printer
// cannot be opened or when the job fails.
void printDocument(const Document &doc, QPrinter &printer, const OutputOptions &options,
                   const Progress &progress = {});

} // namespace reports
