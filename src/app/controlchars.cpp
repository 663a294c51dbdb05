#include "controlchars.h"

#include <algorithm>

namespace app {

static bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

bool hasControlCharacter(QStringView text)
{
    return std::any_of(text.begin(), text.end(), isControl);
}

QString blankControlCharacters(QString text)
{
    std::replace_if(text.begin(), text.end(), isControl, QChar(u' '));
    return text;
}

} // namespace app
