// The entries screens driven as a user meets them: the period dialog with the balance labels, and
// the entry editor, the entry search and the upcoming entries.
#include "screentools.h"

#include <app/application.h>

int main(int argc, char **argv)
{
    app::Application a(argc, argv);
    int failed = runPeriodDialogTests(argc, argv);
    failed += runEntryEditorTests(argc, argv);
    failed += runSearchScreenTests(argc, argv);
    return failed;
}
