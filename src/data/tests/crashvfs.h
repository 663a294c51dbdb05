// A test-only SQLite VFS that simulates a power loss. It wraps the platform's default VFS, becomes
// the default of the test process, and passes every call through to the real files while it
// remembers, for each file the books write, what would survive if the machine lost power now.
// Tests use it to drive real operations into a crash at each sync or delete and check what a
// fresh connection finds afterwards. Nothing in the product links it.
//
// The crash model (what is durable when), for every named file SQLite opens as a database, a
// journal, a super-journal or a WAL (temporary files are not tracked: a crash loses them anyway):
//   - A file's durable image is its content as of its last xSync; a file that existed when the
//     recording began starts with its content at that moment.
//   - A file created during the recording and never synced is not durable: after the power loss
//     it does not exist.
//   - A delete (xDelete) is durable at once; a deleted file stays deleted.
//   - Crash points are the xSync and xDelete calls, counted from 1. Both are needed: with one
//     journal per file, a multi-file commit happens in the journal deletes, so sync points alone
//     never fall between two files' commits. When the crash point arrives its call is not
//     performed and the power goes: every tracked file is put back to its durable image (bytes
//     and length rewritten, files never synced removed, deleted files left deleted). From then
//     on every write, sync, truncate and delete fails with SQLITE_IOERR: the machine is dead,
//     so whatever the dying process tries next, and however it ends, never reaches the disk.
//   - powerLoss() cuts the power at a moment of the test's choosing, as after an operation
//     returned: every write since the last sync of its file is lost.
//
// Limits: it does not model torn or reordered writes within a sync interval (a sync keeps all of
// the file's writes since the last one, in full, or a crash loses all of them), nor the
// directory entry of a new file apart from its content (the file's first sync makes its name
// durable too), nor disks that lie about syncing. It never calls the real fsync: the simulated
// power loss is the only one the tests must survive, and a real sync per crash point would make
// them slow. Single-threaded: one test process, one thread of SQLite calls.
#pragma once

namespace data::crashvfs {

// Registers the crash VFS as the process's default VFS (once; later calls do nothing).
// Connections opened before keep the VFS they opened with, so call it before the first one.
void install();

// Starts a recording: from now on the durable image of every tracked file is kept, and the
// `crashAt`-th sync or delete (1-based; 0 means never) kills the machine. Any earlier recording
// is forgotten.
void arm(int crashAt = 0);
// Sync and delete calls seen since arm(), including the one that crashed.
int points();
// True once the crash point has arrived (the files are then already as the power loss left
// them), until powerLoss() or disarm().
bool crashed();

// The power loss, unless the crash point already cut it: every file tracked since arm() goes
// back to its durable image. Then the power comes back: the recording ends and writes work
// again. Close every connection first.
void powerLoss();
// Ends the recording and leaves the files as they are, as an orderly shutdown would; a crashed
// machine works again.
void disarm();

} // namespace data::crashvfs
