// Opening an information-base page by its code: the convention every help button and help
// command follows. There is one help viewer for the run; the shell creates it and registers it
// here, which also makes it the opener of app::openHelp (app/helptag.h).
#pragma once

namespace help {

class TFormHelp;

// Positions TDM's TbInfo on Codigo = code and shows the one help viewer (non-modal, usable beside
// any window). A code with no page leaves the viewer on its current page, with no message.
// Without a registered viewer nothing happens.
void openPage(int code);

// Registers the viewer (null unregisters); it stays owned by the caller.
void setViewer(TFormHelp *viewer);
TFormHelp *viewer();

} // namespace help
