#include "rename/BatchRun.h"

#include "rename/Counter.h"
#include "rename/RuleChain.h"

#include <optional>

BatchResult RunBatch(BatchHost& host) {
    BatchResult result;
    CounterState counter = BeginCounter(host.ReadOptions());
    const int count = host.EntryCount();
    for (int index = 0; index < count; ++index) {
        if (!host.IsSelected(index)) {
            continue;
        }
        ++result.Processed;
        const QString item = host.EntryText(index);
        const RenameOptions options = host.ReadOptions();
        const std::optional<QString> token =
            options.CounterOn ? NextCounterToken(counter, options) : std::nullopt;
        const QString newName = NewFileName(item, options, token);
        if (newName != item) {
            if (host.RenameFile(item, newName)) {
                ++result.Renamed;
            } else {
                ++result.Failed;
            }
        }
        host.Yield();
    }
    host.Yield();
    return result;
}
