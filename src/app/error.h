// The one exception family of the program's rule and storage code. It carries the text the user
// reads (in Portuguese), optionally a technical detail (an engine's own words, the statement) that
// the message box keeps under its details button, plus where it was raised; screens catch it at
// their slots and pass the text to Mensagem, and the application-wide handler is the last net for
// what they miss.
#pragma once

#include <QString>
#include <QtGlobal>

#include <stdexcept>

namespace app {

class Error : public std::runtime_error
{
public:
    Error(const QString &text, const char *file = nullptr, int line = 0);
    Error(const QString &text, const QString &detail, const char *file, int line);

    // The Portuguese text shown to the user, as given.
    QString text() const { return m_text; }
    // The technical text behind it (may be empty): shown only on request, never instead of text().
    QString detail() const { return m_detail; }
    const char *file() const { return m_file; }
    int line() const { return m_line; }

private:
    QString m_text;
    QString m_detail;
    const char *m_file;
    int m_line;
};

// A failure of the storage engine: a broken key, a required field, a file that cannot be read.
// Failures of SQLite itself keep its extended result code (SQLITE_FULL, SQLITE_READONLY_DBMOVED,
// ...) and the file they concern; the user text for them is formed by data::sqliteError.
class StorageError : public Error
{
public:
    using Error::Error;
    StorageError(const QString &text, const QString &detail, int sqliteCode, const QString &path,
                 const char *file, int line)
        : Error(text, detail, file, line), m_code(sqliteCode), m_path(path)
    {
    }
    // SQLite's extended result code; 0 for the program's own storage errors.
    int sqliteCode() const { return m_code; }
    // The table file concerned, when known.
    QString path() const { return m_path; }

private:
    int m_code = 0;
    QString m_path;
};

// A value typed or read that does not convert ("'%s' não é um valor inteiro válido. Verifique!").
class ConversionError : public Error
{
public:
    using Error::Error;
};

// Runs `work` where nothing may throw (a destructor, a scope guard: their exceptions end the
// program): a failure is logged with `what` and swallowed.
template <class Work> void noThrow(const char *what, Work &&work) noexcept
{
    try {
        work();
    } catch (const std::exception &e) {
        qWarning("%s: %s", what, e.what());
    } catch (...) {
        qWarning("%s: unknown failure", what);
    }
}

} // namespace app

#define QUORVILA_THROW(Type, text) throw Type((text), __FILE__, __LINE__)

// For "cannot happen" checks: logs the place and runs the recovery instead of aborting.
#define QUORVILA_SOFT_ASSERT(cond, recovery)                                                       \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            qWarning("soft assert \"%s\" failed at %s:%d", #cond, __FILE__, __LINE__);             \
            recovery;                                                                              \
        }                                                                                          \
    } while (false)
