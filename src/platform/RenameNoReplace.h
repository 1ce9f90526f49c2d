#pragma once

#include "platform/FileDescriptor.h"
#include "rename/RenameResult.h"

#include <QByteArray>
#include <QtGlobal>

struct stat;

// A folder held open for renames in it: every rename names its files relative to this handle, so
// no path is built per file and the folder cannot be swapped for another between two renames.
class FolderHandle {
public:
    explicit FolderHandle(const QByteArray& path);
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    bool IsOpen() const { return fd_.IsOpen(); }
    int Descriptor() const { return fd_.Get(); }
    quint64 Device() const { return device_; }
    quint64 Inode() const { return inode_; }

private:
    FileDescriptor fd_;
    quint64 device_ = 0;
    quint64 inode_ = 0;
};

// The system calls the rename primitive makes. The program uses the system's own; tests put in
// failing ones to stand for file systems (some FUSE and SMB mounts) that cannot be mounted here.
struct RenameCalls {
    int (*renameat2)(int oldFolder, const char* oldName, int newFolder, const char* newName, unsigned flags);
    int (*linkat)(int oldFolder, const char* oldName, int newFolder, const char* newName, int flags);
    int (*unlinkat)(int folder, const char* name, int flags);
    int (*renameat)(int oldFolder, const char* oldName, int newFolder, const char* newName);
    int (*fstatat)(int folder, const char* name, struct stat* info, int flags);
};
const RenameCalls& SystemRenameCalls();

// True for a name that stands for an entry of one folder: not empty, not "." or "..", and free of
// "/" and NUL. Any other name could reach into another folder or none.
bool IsPlainFileName(const QByteArray& name);

// Gives the file oldName of the folder the name newName in the same folder, never replacing an
// existing file. Nothing is ever copied or deleted. In order of preference:
// - renameat2 with RENAME_NOREPLACE: one atomic step, also when another program creates newName
//   at the same moment;
// - where the file system does not know that flag, link() under the new name, which fails when
//   the name is taken, then unlink() of the old name (both names exist for a moment);
// - where it has no hard links either, a check that newName is free, then a plain rename(). A file
//   created under newName by another program between the two calls would be replaced: the window
//   is the time between two system calls on the same folder handle, as small as the system allows.
// A change of letter case alone is allowed where the file system ignores case (both names are then
// the same file).
RenameOutcome RenameNoReplace(const FolderHandle& folder, const QByteArray& oldName,
                              const QByteArray& newName, const RenameCalls& calls = SystemRenameCalls());
