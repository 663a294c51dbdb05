#include "error.h"

namespace app {

Error::Error(const QString &text, const char *file, int line)
    : std::runtime_error(text.toStdString()), m_text(text), m_file(file), m_line(line)
{
}

} // namespace app
