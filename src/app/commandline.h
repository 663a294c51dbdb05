// The program's command line: --help and --version, which answer on the terminal, and --dados,
// which names another data folder. Parsed from plain text, so it runs before the application
// object exists (that needs a display; the answers to --help and --version must not).
#pragma once

#include <QString>
#include <QStringList>

namespace app {

struct CommandLine
{
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString dados; // the --dados folder as given; empty when not given
    QString error; // for Error: one Portuguese line saying what is wrong
};

// `arguments` as the program got them, the program's own path first. --help (-h) and --version
// (-v) win wherever they stand, so they answer even beside a wrong argument; otherwise the first
// wrong argument is the error: an unknown option, a stray word, --dados without a folder or given
// twice.
CommandLine parseCommandLine(const QStringList &arguments);

// The texts for the terminal, each ending in a line break. `perUserDir` is the per-user data
// location the help names.
QString helpText(const QString &perUserDir);
QString versionText();

} // namespace app
