#pragma once

#include "rename/BatchRun.h"
#include "rename/SimulatedFolder.h"
#include "platform/FolderListing.h"

#include <QDateTime>

#include <functional>
#include <optional>
#include <vector>

class FileList;

// What a batch run over a list would do now.
struct BatchForecast {
    BatchResult Run;
    // Beside each file of Run: who holds its new name where that name is taken (a row of the list,
    // or SimulatedFolder::Outside); unused for the other files.
    std::vector<int> Holders;
};

// The forecast is the run itself (RunBatch) over the folder's names held in memory: the same walk,
// counter and rule chain, and renames that free and take names as they would on disk. Nothing on
// disk is touched or asked about, except the dates the date rule asks dateTaken for. everyEntry
// counts every entry of the list as selected.
using DateSource = std::function<std::optional<QDateTime>(const FolderEntry&)>;
BatchForecast ForecastBatch(const FileList& list, bool everyEntry, const RenameOptions& options,
                            const FolderEntries& files, const FolderEntries& folders,
                            const DateSource& dateTaken);
