#pragma once

// What became of a rename. In every case but Ok the file keeps its old name and no other file
// was touched.
enum class RenameResult {
    Ok,            // the file now has the new name (also when it had it already)
    TargetExists,  // another file has the new name; it was left alone
    SourceMissing, // there is no file of the old name, or the folder is gone
    Refused,       // the new name is not a plain file name of this folder, or the file system refuses it
    HidesFile,     // the new name starts with "." and would hide a file that is shown today
    NameTooLong,   // the new name is longer than a file name may be (255 bytes)
    AccessDenied,  // the system denied the change (permissions, read-only file system)
    Failed,        // any other failure; the system's error number tells which
    // The name stands for another file than when the run read it (saved anew, replaced): the run
    // renames the files it read, not whatever bears their names later.
    ChangedSinceRead,
    // The run's journal could not take the file in, so undo could not take it back: not renamed.
    NotJournalled,
    // The user stopped the run before it came to the file.
    Stopped,
};

// A rename's result with the system's error number where the system refused it (0 otherwise),
// so that a failure can be shown in the system's words.
struct [[nodiscard]] RenameOutcome {
    RenameResult Result = RenameResult::Ok;
    int SystemError = 0;

    bool operator==(const RenameOutcome&) const = default;
};
