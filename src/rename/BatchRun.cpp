#include "rename/BatchRun.h"

#include "rename/NameCheck.h"
#include "rename/RuleChain.h"

BatchFile NameEntry(const BatchHost& host, int index, const RenameOptions& options, CounterState& counter) {
    BatchFile file;
    file.Index = index;
    file.OldName = host.EntryText(index);
    const std::optional<QString> token =
        options.CounterOn ? NextCounterToken(counter, options) : std::nullopt;
    const std::optional<QDateTime> taken = options.DateTakenOn ? host.DateTaken(index) : std::nullopt;
    file.NewName = NewFileName(file.OldName, options, token, taken);
    if (file.NewName != file.OldName)
        file.Result = RefusalOf(file.OldName, file.NewName);
    return file;
}

namespace {

// The selected entries from row `from` on, each named with the counter as it stands: what the run
// does next unless a turn changes the panel or the selection.
std::vector<BatchFile> Plan(const BatchHost& host, int from, int count, const RenameOptions& options,
                            CounterState counter) {
    std::vector<BatchFile> plan;
    for (int index = from; index < count; ++index)
        if (host.IsSelected(index))
            plan.push_back(NameEntry(host, index, options, counter));
    return plan;
}

// True when the selected entries from row `from` on are not those of the plan from `next` on.
bool SelectionMoved(const BatchHost& host, int from, int count, const std::vector<BatchFile>& plan,
                    std::size_t next) {
    for (int index = from; index < count; ++index) {
        if (!host.IsSelected(index))
            continue;
        if (next == plan.size() || plan[next].Index != index)
            return true;
        ++next;
    }
    return next != plan.size();
}

} // namespace

BatchResult RunBatch(BatchHost& host, std::chrono::milliseconds turnInterval) {
    using Clock = std::chrono::steady_clock;
    BatchResult result;
    RenameOptions options = host.ReadOptions();
    // The counter as it stands after the files the run went through: a new plan goes on from it.
    CounterState counter = BeginCounter(options);
    const int count = host.EntryCount();
    std::vector<BatchFile> plan = Plan(host, 0, count, options, counter);
    host.Planned(plan);
    result.Files.reserve(qsizetype(plan.size()));
    Clock::time_point lastTurn = Clock::now();
    for (std::size_t next = 0; next < plan.size();) {
        BatchFile file = std::move(plan[next++]);
        const int index = file.Index;
        if (options.CounterOn)
            static_cast<void>(NextCounterToken(counter, options));
        ++result.Processed;
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
            host.Yield(index);
            const RenameOptions now = host.ReadOptions();
            if (now != options || SelectionMoved(host, index + 1, count, plan, next)) {
                options = now;
                plan = Plan(host, index + 1, count, options, counter);
                next = 0;
                host.Planned(plan);
            }
            lastTurn = Clock::now();
        }
    }
    host.Yield(result.Files.isEmpty() ? -1 : result.Files.back().Index);
    return result;
}
