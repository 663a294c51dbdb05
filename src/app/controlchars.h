// Control characters in text that comes from files: the C0 controls (NUL, BEL, ESC, CR, LF, TAB
// ...), DEL and the C1 controls. None of them belongs in a name, a history or a memo: they do not
// show, break the line structure of the exchange files, and a NUL cuts a stored text short.
#pragma once

#include <QString>
#include <QStringView>

namespace app {

// True when `text` holds at least one control character.
bool hasControlCharacter(QStringView text);

// `text` with every control character replaced by a blank; the length is unchanged.
QString blankControlCharacters(QString text);

} // namespace app
