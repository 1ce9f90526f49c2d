#pragma once

#include <QByteArray>

class FileDescriptor;

#include <sys/types.h>

// What putting new bytes in place of a file did.
struct Replacement {
    // The new bytes are in place under the file's name. Else the old file, or its absence, is as
    // it was, and no temporary file is left behind.
    bool Replaced = false;
    // The system's error of the step that failed; 0 when none did. Set beside Replaced when only
    // the folder could not be synced: the new file is in place but may not survive a power cut.
    int Error = 0;
};

// Puts bytes in place of the file name of the folder open as folderFd, atomically: they are
// written to a new hidden file beside it, synced to disk and renamed over the old file, and then
// the folder is synced. A crash, a kill or a full disk leaves either the old file or the new one,
// never a half-written one. A new file gets newFileMode (less the umask); an old one keeps its
// permissions. An old file without the right to write it is left alone (EACCES): making a file
// read-only is how a user keeps it from change, and a rename would not ask. With lock, the new file
// is locked (flock, exclusive) before it takes the name, and lock holds its descriptor from then on,
// so that the name never stands for an unlocked file while the caller holds it.
Replacement ReplaceFileAt(int folderFd, const QByteArray& name, const QByteArray& bytes, mode_t newFileMode,
                          FileDescriptor* lock = nullptr);

// The same for the file at path (the name's bytes as the file system spells them). A link at path
// is replaced by the file, not followed.
Replacement ReplaceFile(const QByteArray& path, const QByteArray& bytes, mode_t newFileMode);
