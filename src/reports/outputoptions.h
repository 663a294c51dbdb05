// What the user chose in the print options: where the report goes and how a printer prints it.
// Plain values, so the printing and PDF code take them without a screen.
#pragma once

namespace reports {

enum class Destination { Preview, Printer, File };

struct OutputOptions
{
    Destination destination = Destination::Preview;
    int copies = 1;
    bool collate = false;
    // Both sides of the sheet, turning on the long edge.
    bool duplex = false;
};

} // namespace reports
