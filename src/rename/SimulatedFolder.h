#pragma once

#include "rename/RenameResult.h"

#include <QByteArray>
#include <QHash>

#include <optional>

// The names of one folder held in memory, renamed the way the rename primitive renames them on
// disk: never onto a name that is taken, and a file renamed frees its old name. Each name knows
// who holds it, so that a name found taken can say by whom.
class SimulatedFolder {
public:
    // The holder of a name that belongs to no entry of the walk: a file or folder left out of it.
    static constexpr int Outside = -1;

    void Reserve(qsizetype names) { holders_.reserve(names); }
    // The name is taken by holder (an entry's row, or Outside); a later call for the same name wins.
    void Hold(const QByteArray& name, int holder) { holders_.insert(name, holder); }
    // The name, where it is held, is taken by holder from now on.
    void Claim(const QByteArray& name, int holder);
    // Who holds the name; nothing held gives std::nullopt.
    std::optional<int> HolderOf(const QByteArray& name) const;
    // Moves oldName's holder to newName unless newName is taken.
    RenameOutcome Rename(const QByteArray& oldName, const QByteArray& newName);

private:
    QHash<QByteArray, int> holders_;
};
