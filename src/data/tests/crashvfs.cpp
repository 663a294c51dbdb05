#include "crashvfs.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <new>
#include <string>

namespace data::crashvfs {

namespace {

struct Image
{
    bool exists = false;
    std::string bytes;
};

// The whole state of the simulated machine. `images` holds only files touched since arm():
// an untouched file needs no restoring.
struct Machine
{
    sqlite3_vfs *real = nullptr;
    sqlite3_vfs vfs{};
    bool recording = false;
    bool dead = false;
    int crashAt = 0;
    int points = 0;
    std::map<std::string, Image> images;
};

Machine &machine()
{
    static Machine m;
    return m;
}

// Our file handle, with the real VFS's handle right behind it in the memory SQLite gives us.
struct File
{
    sqlite3_file base; // first: SQLite reads pMethods through it
    sqlite3_file *real = nullptr;
    std::string path; // empty for files that are not tracked
};

constexpr size_t kRealOffset = (sizeof(File) + 15) & ~size_t(15);

// Only for a file no handle of ours has open yet: closing another descriptor of an open file
// would drop the process's POSIX locks on it.
Image readImage(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return {true, std::string(std::istreambuf_iterator<char>(in), {})};
}

Image readImage(sqlite3_file *real)
{
    sqlite3_int64 size = 0;
    if (real->pMethods->xFileSize(real, &size) != SQLITE_OK)
        return {};
    Image image{true, std::string(size_t(size), '\0')};
    if (size > 0)
        real->pMethods->xRead(real, image.bytes.data(), int(size), 0);
    return image;
}

// Called before the first change to a file in a recording: until it syncs, its durable image is
// what it held when the recording began (nothing, for a file about to be created).
void rememberPath(const std::string &path)
{
    Machine &m = machine();
    if (m.recording && !path.empty() && !m.images.count(path))
        m.images[path] = readImage(path);
}

void remember(const File *file)
{
    Machine &m = machine();
    if (m.recording && !file->path.empty() && !m.images.count(file->path))
        m.images[file->path] = readImage(file->real);
}

// Every tracked file goes back to its durable image.
void cutPower()
{
    for (const auto &[path, image] : machine().images) {
        if (!image.exists) {
            std::remove(path.c_str());
            continue;
        }
        // Rewritten in place rather than replaced: freeing and allocating blocks is slow on
        // some disks, and an image differs from the file only in its last pages.
        std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        out.write(image.bytes.data(), std::streamsize(image.bytes.size()));
        out.close();
        std::error_code ignored;
        std::filesystem::resize_file(path, image.bytes.size(), ignored);
    }
}

// True when this call is the crash point (or comes after it): the caller fails instead. The
// power goes at the crash point itself, so nothing the dying process does afterwards, nor how it
// ends, reaches the disk.
bool crashesHere()
{
    Machine &m = machine();
    if (m.dead)
        return true;
    if (!m.recording || ++m.points != m.crashAt)
        return false;
    m.dead = true;
    cutPower();
    return true;
}

File *self(sqlite3_file *f)
{
    return reinterpret_cast<File *>(f);
}

int fileClose(sqlite3_file *f)
{
    File *file = self(f);
    const int rc = file->real->pMethods ? file->real->pMethods->xClose(file->real) : SQLITE_OK;
    file->~File();
    return rc;
}

int fileRead(sqlite3_file *f, void *buf, int amount, sqlite3_int64 offset)
{
    sqlite3_file *r = self(f)->real;
    return r->pMethods->xRead(r, buf, amount, offset);
}

int fileWrite(sqlite3_file *f, const void *buf, int amount, sqlite3_int64 offset)
{
    File *file = self(f);
    if (machine().dead)
        return SQLITE_IOERR_WRITE;
    remember(file);
    return file->real->pMethods->xWrite(file->real, buf, amount, offset);
}

int fileTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    File *file = self(f);
    if (machine().dead)
        return SQLITE_IOERR_TRUNCATE;
    remember(file);
    return file->real->pMethods->xTruncate(file->real, size);
}

int fileSync(sqlite3_file *f, int)
{
    File *file = self(f);
    if (file->path.empty())
        return machine().dead ? SQLITE_IOERR_FSYNC : SQLITE_OK;
    if (crashesHere())
        return SQLITE_IOERR_FSYNC;
    // The bytes are already in the real file; syncing is only what makes them the durable image.
    if (machine().recording)
        machine().images[file->path] = readImage(file->real);
    return SQLITE_OK;
}

int fileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    sqlite3_file *r = self(f)->real;
    return r->pMethods->xFileSize(r, size);
}

int fileLock(sqlite3_file *f, int level)
{
    sqlite3_file *r = self(f)->real;
    return r->pMethods->xLock(r, level);
}

int fileUnlock(sqlite3_file *f, int level)
{
    sqlite3_file *r = self(f)->real;
    return r->pMethods->xUnlock(r, level);
}

int fileCheckReservedLock(sqlite3_file *f, int *out)
{
    sqlite3_file *r = self(f)->real;
    return r->pMethods->xCheckReservedLock(r, out);
}

int fileControl(sqlite3_file *f, int op, void *arg)
{
    sqlite3_file *r = self(f)->real;
    return r->pMethods->xFileControl(r, op, arg);
}

int fileSectorSize(sqlite3_file *f)
{
    sqlite3_file *r = self(f)->real;
    return r->pMethods->xSectorSize(r);
}

int fileDeviceCharacteristics(sqlite3_file *f)
{
    sqlite3_file *r = self(f)->real;
    // Atomic batch writes would let SQLite commit without a journal, past every crash point.
    return r->pMethods->xDeviceCharacteristics(r) & ~SQLITE_IOCAP_BATCH_ATOMIC;
}

// Version 1: no shared memory (WAL) and no memory-mapped pages, whose writes would bypass xWrite.
const sqlite3_io_methods kMethods = {
    1,
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileUnlock,
    fileCheckReservedLock,
    fileControl,
    fileSectorSize,
    fileDeviceCharacteristics,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

constexpr int kTrackedKinds =
    SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_SUPER_JOURNAL | SQLITE_OPEN_WAL;

int vfsOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    Machine &m = machine();
    File *file = new (f) File;
    file->base.pMethods = nullptr;
    file->real = reinterpret_cast<sqlite3_file *>(reinterpret_cast<char *>(f) + kRealOffset);
    if (name && (flags & kTrackedKinds))
        file->path = name;
    rememberPath(file->path);
    const int rc = m.real->xOpen(m.real, name, file->real, flags, outFlags);
    if (rc != SQLITE_OK) {
        // SQLite closes a file whose open failed only when pMethods is set, and ours is not.
        if (file->real->pMethods)
            file->real->pMethods->xClose(file->real);
        file->~File();
        f->pMethods = nullptr;
        return rc;
    }
    f->pMethods = &kMethods;
    return SQLITE_OK;
}

int vfsDelete(sqlite3_vfs *, const char *name, int)
{
    Machine &m = machine();
    if (crashesHere())
        return SQLITE_IOERR_DELETE;
    // No directory sync: a delete is durable at once in this model anyway.
    const int rc = m.real->xDelete(m.real, name, 0);
    if (m.recording && (rc == SQLITE_OK || rc == SQLITE_IOERR_DELETE_NOENT))
        m.images[name] = Image{};
    return rc;
}

} // namespace

void install()
{
    Machine &m = machine();
    if (m.real)
        return;
    m.real = sqlite3_vfs_find(nullptr);
    // Every other entry (access, full path names, randomness, time) is the real VFS's own and
    // reads its pAppData, which the copy keeps.
    m.vfs = *m.real;
    m.vfs.pNext = nullptr;
    m.vfs.zName = "quorvila-crash";
    m.vfs.szOsFile = int(kRealOffset) + m.real->szOsFile;
    m.vfs.xOpen = vfsOpen;
    m.vfs.xDelete = vfsDelete;
    sqlite3_vfs_register(&m.vfs, 1);
}

void arm(int crashAt)
{
    Machine &m = machine();
    m.images.clear();
    m.recording = true;
    m.dead = false;
    m.crashAt = crashAt;
    m.points = 0;
}

int points()
{
    return machine().points;
}

bool crashed()
{
    return machine().dead;
}

void powerLoss()
{
    if (!machine().dead)
        cutPower();
    disarm();
}

void disarm()
{
    Machine &m = machine();
    m.images.clear();
    m.recording = false;
    m.dead = false;
    m.crashAt = 0;
}

} // namespace data::crashvfs
