#include "rename/BatchRun.h"

#include "rename/NameCheck.h"
#include "rename/RuleChain.h"

BatchFile NameEntry(const BatchHost& host, int index, const RenameOptions& options, CounterState& counter) {
    BatchFile file;
    file.Index = index;
    file.OldName = host.EntryText(index);
    const std::optional<QString> token =
        options.CounterOn ? NextCounterToken(counter, options) : std::nullopt;
    const FactsWanted wanted = WantedFacts(options);
    const FileFacts facts = wanted.Any() ? host.FileFactsOf(index, wanted) : FileFacts();
    file.MissingTag = MissingTagOf(options, facts);
    file.NewName = NewFileName(file.OldName, options, token, facts);
    if (file.NewName != file.OldName)
        file.Result = RefusalOf(file.OldName, file.NewName);
    return file;
}

BatchResult RunBatch(BatchHost& host, std::chrono::milliseconds turnInterval) {
    using Clock = std::chrono::steady_clock;
    BatchResult result;
    RenameOptions options = host.ReadOptions();
    CounterState counter = BeginCounter(options);
    Clock::time_point lastTurn = Clock::now();
    const int count = host.EntryCount();
    result.Files.reserve(count);
    for (int index = 0; index < count; ++index) {
        if (!host.IsSelected(index))
            continue;
        ++result.Processed;
        BatchFile file = NameEntry(host, index, options, counter);
        if (file.NewName != file.OldName) {
            if (!file.Result) {
                const RenameOutcome outcome = host.RenameFile(index, file.NewName);
                file.Result = outcome.Result;
                file.SystemError = outcome.SystemError;
            }
            ++(*file.Result == RenameResult::Ok ? result.Renamed : result.Failed);
        }
        result.Files.append(std::move(file));
        if (Clock::now() - lastTurn >= turnInterval) {
            host.Yield();
            options = host.ReadOptions();
            lastTurn = Clock::now();
        }
    }
    host.Yield();
    return result;
}
