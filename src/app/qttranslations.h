// Qt's own texts (standard dialogs, buttons, the line edits' context menu) in Brazilian
// Portuguese, from the translations that ship with Qt. Only the loading; the program's own texts
// are written in Portuguese and need no catalogue.
#pragma once

namespace app {

// Installs Qt's pt_BR catalogue on the application once per process. Returns true when it is
// installed; false, with Qt's built-in English texts left in place, when the catalogue is not on
// this machine (the translations package is optional at run time).
bool loadQtTranslations();

} // namespace app
