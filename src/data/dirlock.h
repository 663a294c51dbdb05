// The single-copy rule: exactly one copy of the program works on one data folder, whoever runs it
// and whatever its environment. The lock is an advisory lock (flock) held on "Dados/.quorvila.lock"
// for the whole run: a hidden file without the .DB suffix, so it belongs to no table catalogue and
// to no backup. It is keyed by the folder itself, not by $USER, $TMPDIR or the desktop: two copies
// on one Dados always exclude each other (also through another path to the same folder), and two
// installations never do. The kernel drops the lock when the process ends however it ends, so a
// crashed copy never leaves the folder locked; the file itself stays (removing it would let a
// third copy lock a new file while a second still waits on the old one).
#pragma once

#include <QString>

namespace data {

class DirLock
{
public:
    static constexpr const char *kFileName = ".quorvila.lock";
    enum class Result { Locked, InUse, Failed };

    explicit DirLock(const QString &dirDados);
    ~DirLock(); // releases the lock
    DirLock(const DirLock &) = delete;
    DirLock &operator=(const DirLock &) = delete;

    // Locked: this object holds the folder. InUse: another copy holds it. Failed: the lock file
    // could not be created or locked (a read-only or missing folder, a full disk, a file system
    // without locks); errorText() says so.
    Result tryLock();
    bool isLocked() const { return m_fd >= 0; }
    QString path() const { return m_path; }

    // After Failed: the Portuguese text naming the folder and why, and the system's words.
    QString errorText() const { return m_errorText; }
    QString errorDetail() const { return m_errorDetail; }

    // The text shown when another copy holds the folder.
    static QString inUseText() { return "Programa Quorvila\r\njá está em uso!"; }

private:
    void failed(int err, const char *what);

    QString m_dir;
    QString m_path;
    int m_fd = -1;
    QString m_errorText;
    QString m_errorDetail;
};

} // namespace data
