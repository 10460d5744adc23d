#pragma once
// Whether a SQLite database file may be read through a memory map.  The engine
// then reads a page by touching memory instead of a system call per page: a
// list that reads thousands of entries scattered over a decade's file takes
// half the time.  A map is only safe where the kernel keeps the file's pages
// coherent between processes, so a file on a network share keeps plain reads.

#include <QString>

namespace vm {

// The most a connection maps: the engine's own ceiling on this platform.
constexpr qint64 MappedBytes = 0x7fff0000;

// The file-system type number of statfs() names a network or user-space file
// system (NFS, SMB/CIFS, FUSE, AFS, ...).
bool IsNetworkFileSystem(unsigned long type);

// True when `file` (or, while it does not exist yet, its folder) is on a
// local file system; false when that cannot be told.
bool MappedReadsSafe(const QString& file);

} // namespace vm
