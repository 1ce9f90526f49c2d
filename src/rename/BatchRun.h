#pragma once

#include "rename/RenameOptions.h"

#include <QString>

// What a batch run needs from the window it runs in. The run itself knows no control and no
// file system; the window answers for both.
class BatchHost {
public:
    virtual ~BatchHost() = default;

    virtual int EntryCount() const = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual QString EntryText(int index) const = 0;
    // The options panel as it stands now; read afresh for every file.
    virtual RenameOptions ReadOptions() const = 0;
    // Renames one file of the folder, never replacing another; a failure is simply false.
    virtual bool RenameFile(const QString& oldName, const QString& newName) = 0;
    // Lets pending window events run once.
    virtual void Yield() = 0;
};

struct BatchResult {
    int Processed = 0; // selected entries the run went through
    int Renamed = 0;   // of those, renamed on disk
    int Failed = 0;    // of those, whose rename was refused
};

// Renames every selected entry, in list order, to what the rule chain makes of it. The counter
// starts once from the options at hand; each selected file uses up its number or list item,
// whether or not its rename succeeds. Entries whose name would not change are left alone.
BatchResult RunBatch(BatchHost& host);
