// The booking rule shared by the reader and the re-booking of the import screen.
#include "statement.h"

namespace ofx {

void bookRow(StagingRow &row, const Preferences &prefs)
{
    if (row.Controle == QLatin1String("-")) {
        row.CtaDeb = prefs.Cta2OFX;
        row.CtaCred = prefs.Cta0OFX;
    } else {
        row.CtaDeb = prefs.Cta0OFX;
        row.CtaCred = prefs.Cta1OFX;
    }
}

} // namespace ofx
