#include "error.h"

namespace app {

Error::Error(const QString &text, const char *file, int line)
    : std::runtime_error(text.toStdString()), m_text(text), m_file(file), m_line(line)
{
}

// what() (the logs) carries the technical detail too.
Error::Error(const QString &text, const QString &detail, const char *file, int line)
    : std::runtime_error((detail.isEmpty() ? text : text + "\n[" + detail + "]").toStdString()),
      m_text(text), m_detail(detail), m_file(file), m_line(line)
{
}

} // namespace app
