#include "rename/SimulatedFolder.h"

#include <cerrno>

std::optional<int> SimulatedFolder::HolderOf(const QByteArray& name) const {
    const auto it = holders_.constFind(name);
    if (it == holders_.cend())
        return std::nullopt;
    return *it;
}

void SimulatedFolder::Claim(const QByteArray& name, int holder) {
    const auto it = holders_.find(name);
    if (it != holders_.end())
        *it = holder;
}

RenameOutcome SimulatedFolder::Rename(const QByteArray& oldName, const QByteArray& newName) {
    const auto from = holders_.constFind(oldName);
    if (from == holders_.cend())
        return {RenameResult::SourceMissing, ENOENT};
    if (oldName == newName)
        return {};
    if (holders_.contains(newName))
        return {RenameResult::TargetExists, EEXIST};
    const int holder = *from;
    holders_.erase(from);
    holders_.insert(newName, holder);
    return {};
}
