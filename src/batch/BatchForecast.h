#pragma once

#include "batch/ListedEntries.h"
#include "rename/BatchRun.h"
#include "platform/FolderListing.h"

#include <QDateTime>

#include <functional>
#include <optional>
#include <vector>

// What a batch run over a list would do now.
struct [[nodiscard]] BatchForecast {
    BatchResult Run;
    // Beside each file of Run: who holds its new name where that name is taken (a row of the list,
    // or SimulatedFolder::Outside); unused for the other files.
    std::vector<int> Holders;
    // Beside each file of Run, while the date rule is on: the date its photo was taken, if any.
    // Empty while the rule is off.
    std::vector<std::optional<QDateTime>> DatesTaken;
};

// The forecast is the run itself (RunBatch) over the folder's names held in memory: the same walk,
// counter and rule chain, and renames that free and take names as they would on disk. Nothing on
// disk is touched or asked about, except the facts the rules that read files ask factsOf for. The
// run goes over the rows that selected marks; files, folders and others are every name the folder
// holds, the names the lists leave out among them, since the run cannot take those either.
using FactsSource = std::function<FileFacts(const FolderEntry&, FactsWanted)>;
BatchForecast ForecastBatch(const ListedEntries& list, const RowMarks& selected, const RenameOptions& options,
                            const FolderEntries& files, const FolderEntries& folders,
                            const FolderNames& others, const FactsSource& factsOf);
