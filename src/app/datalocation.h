// Where the program keeps its data and finds its information base. Two layouts: the portable one
// (the program with its Dados folder beside it, as the build tree and a copy on a USB stick have
// it) and the installed one (the program in <prefix>/bin, the information base in
// <prefix>/share/quorvila, each person's data in the per-user data location). Plain paths in,
// plain paths out: nothing here opens a window.
#pragma once

#include <QString>

namespace app {

struct DataLocation
{
    QString dir;          // the data folder (DirDados), absolute and clean
    QString infoBase;     // the information base to open; empty when none was found
    bool perUser = false; // the installed layout's per-user folder: made on the first start
    QString refusal;      // not empty: the start stops with this text, which names the folder
};

// The information base of an installation under a prefix, seen from the program's folder.
QString installedShareDir(const QString &appDir);

// Decides the data folder. `dadosOption` (the --dados folder; empty when not given) must be an
// existing folder: a file or a missing path is refused, so that a mistyped name never becomes a
// new, empty installation. Without it, the Dados folder beside the program is used when it is
// there, or when no installed information base is (then the start stops for the missing
// information base, as it always did); otherwise `perUserDir`. The information base is the data
// folder's own TbInfo.DB, else the one in the Dados beside the program, else the installed one.
DataLocation locateData(const QString &appDir, const QString &dadosOption,
                        const QString &perUserDir);

// The per-user data location: QStandardPaths' AppDataLocation + "/Dados" (empty when the system
// gives none).
QString perUserDataDir();

// Makes `dir` and every missing folder above it, each readable by its owner only (the data are a
// household's finances). Returns an empty text on success; on failure the Portuguese text naming
// the folder and the reason, with every folder it made removed again.
QString makeDataDir(const QString &dir);

} // namespace app
