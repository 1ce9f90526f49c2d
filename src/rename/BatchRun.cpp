#include "rename/BatchRun.h"

#include "rename/NameCheck.h"
#include "rename/RuleChain.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <utility>
#include <vector>

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

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kNone = std::size_t(-1);

enum class Stage {
    Ahead,    // the run has not reached it yet
    Waiting,  // reached; another file of the batch still has its new name and is to give it up
    OnTheWay, // reached; it has its way name and waits for its new name to come free
    Done,     // renamed, refused, kept, or left as it is
};

// One selected file of the run.
struct Entry {
    BatchFile File;
    QByteArray Own;  // its name when the run began, as the file system spells it
    QByteArray From; // the name it has now
    QByteArray To;   // the name it is to get; empty when it is not to move
    Stage At = Stage::Ahead;
    bool Pinned = false;              // in an open ring: a new plan keeps its names
    std::vector<std::size_t> Waiters; // files that wait for it to give up its name
};

// One run: the files in list order, a cursor that goes through them, and the files that wait.
class Runner {
public:
    Runner(BatchHost& host, std::chrono::milliseconds interval) : host_(host), interval_(interval) {}

    BatchResult Run() {
        options_ = host_.ReadOptions();
        counter_ = BeginCounter(options_);
        count_ = host_.EntryCount();
        Plan(0);
        stopping_ = host_.StopAsked(); // the host may have let the window have turns while it planned
        lastTurn_ = Clock::now();
        for (cursor_ = 0; cursor_ < files_.size(); ++cursor_) {
            if (options_.CounterOn)
                static_cast<void>(NextCounterToken(counter_, options_)); // the counter at the cursor
            if (stopping_ && !files_[cursor_].Pinned) {
                Stop(files_[cursor_]);
                continue;
            }
            Reach(cursor_);
            Drain();
            Turn(files_[cursor_].File.Index);
        }
        // The files still waiting have their try: the file they waited for kept its name. After a
        // stop, that file was not reached; only what waits in an open ring still moves.
        for (std::size_t i = 0; i < files_.size(); ++i) {
            if (files_[i].At != Stage::Waiting && files_[i].At != Stage::OnTheWay)
                continue;
            if (stopping_ && !files_[i].Pinned)
                Stop(files_[i]);
            else
                ready_.push_back(i);
        }
        Drain();
        host_.Yield(files_.empty() ? -1 : files_.back().File.Index);
        BatchResult result;
        result.Files.reserve(qsizetype(files_.size()));
        for (Entry& e : files_) {
            ++result.Processed;
            if (e.File.Result == RenameResult::Stopped)
                ++result.Stopped;
            else if (e.File.NewName != e.File.OldName)
                ++(*e.File.Result == RenameResult::Ok ? result.Renamed : result.Failed);
            result.Files.append(std::move(e.File));
        }
        return result;
    }

private:
    bool Moves(const Entry& e) const { return !e.To.isEmpty() && !e.File.Result; }

    // A file the run will not reach: it keeps its name, and a refusal known before the run keeps
    // its reason.
    void Stop(Entry& e) const {
        if (e.At == Stage::Done)
            return;
        if (Moves(e))
            e.File.Result = RenameResult::Stopped;
        e.At = Stage::Done;
    }

    // Names the selected rows after the cursor anew, keeping the files of open rings as they are.
    void Plan(int fromRow) {
        const std::size_t kept = files_.empty() ? 0 : cursor_ + 1;
        QHash<int, std::size_t> pinned;
        for (std::size_t i = kept; i < files_.size(); ++i)
            if (files_[i].Pinned)
                pinned.insert(files_[i].File.Index, i);
        std::vector<Entry> tail;
        tail.reserve(std::size_t(std::max(0, count_ - fromRow)));
        CounterState counter = counter_;
        for (int row = fromRow; row < count_; ++row) {
            if (const auto ring = pinned.constFind(row); ring != pinned.cend()) {
                if (options_.CounterOn)
                    static_cast<void>(NextCounterToken(counter, options_)); // its number is given
                tail.push_back(std::move(files_[*ring]));
                continue;
            }
            if (!host_.IsSelected(row))
                continue;
            Entry e;
            e.File = NameEntry(host_, row, options_, counter);
            e.Own = e.From = host_.EntryName(row);
            if (e.File.NewName != e.File.OldName && !e.File.Result)
                e.To = e.File.NewName.toUtf8();
            tail.push_back(std::move(e));
        }
        if (kept == 0) {
            files_ = std::move(tail);
        } else {
            files_.resize(kept);
            std::move(tail.begin(), tail.end(), std::back_inserter(files_));
        }
        Order();
    }

    // Who waits for whom, which files lose a name to an earlier one, and which rings open where.
    void Order() {
        QHash<QByteArray, std::size_t> holders; // a name, and the file that has it and is to give it up
        QHash<QByteArray, std::size_t> wanted;  // a new name, and the first file that is to get it
        holders.reserve(qsizetype(files_.size()));
        wanted.reserve(qsizetype(files_.size()));
        for (std::size_t i = 0; i < files_.size(); ++i) {
            Entry& e = files_[i];
            e.Waiters.clear();
            if (e.At == Stage::Done || !Moves(e))
                continue;
            if (const auto first = wanted.constFind(e.To); first != wanted.cend()) {
                e.File.Result = RenameResult::TargetExists; // the earlier file gets the name
                e.File.SystemError = EEXIST;
                e.File.HeldBy = files_[*first].File.Index;
                continue;
            }
            wanted.insert(e.To, i);
            if (Holds(e))
                holders.insert(e.From, i);
        }
        next_.assign(files_.size(), kNone);
        for (std::size_t i = 0; i < files_.size(); ++i)
            if (files_[i].At != Stage::Done && Moves(files_[i]))
                next_[i] = holders.value(files_[i].To, kNone);
        std::vector<std::size_t> opening = FindRings();
        std::vector<BatchFile> pending;
        for (const Entry& e : files_)
            if (e.At != Stage::Done && Moves(e))
                pending.push_back(e.File);
        host_.Planned(pending);
        ready_.clear();
        for (std::size_t i = 0; i < files_.size(); ++i) {
            Entry& e = files_[i];
            if (e.At != Stage::Waiting && e.At != Stage::OnTheWay)
                continue;
            const std::size_t holder = HolderOf(i);
            if (holder != kNone)
                files_[holder].Waiters.push_back(i);
            else
                ready_.push_back(i);
        }
        for (const std::size_t i : opening)
            OpenRing(i);
    }

    // A file that still has its own name and is to give it up.
    bool Holds(const Entry& e) const { return (e.At == Stage::Ahead || e.At == Stage::Waiting) && Moves(e); }

    // The file of the batch that has i's new name and is to give it up; kNone when there is none.
    std::size_t HolderOf(std::size_t i) const {
        const std::size_t holder = next_[i];
        return holder == kNone || holder == i || !Holds(files_[holder]) ? kNone : holder;
    }

    // Every ring of files that take each other's names gets a way name for its first file in list
    // order, and keeps its names from now on. The rings whose first file the run has reached
    // already (after a new plan) are opened at once; they are returned.
    std::vector<std::size_t> FindRings() {
        std::vector<std::size_t> opening;
        std::vector<char> seen(files_.size(), 0); // 1: on the walk now, 2: done
        for (std::size_t start = 0; start < files_.size(); ++start) {
            if (seen[start] != 0 || !Holds(files_[start]))
                continue;
            std::vector<std::size_t> walk;
            std::size_t i = start;
            while (i != kNone && seen[i] == 0) {
                seen[i] = 1;
                walk.push_back(i);
                i = HolderOf(i);
            }
            if (i != kNone && seen[i] == 1) {
                const auto ring = std::find(walk.cbegin(), walk.cend(), i);
                const std::size_t first = *std::min_element(ring, walk.cend());
                for (auto member = ring; member != walk.cend(); ++member)
                    files_[*member].Pinned = true;
                Entry& opener = files_[first];
                if (opener.File.WayName.isEmpty())
                    opener.File.WayName = host_.WayName(opener.File.Index);
                if (opener.At == Stage::Waiting)
                    opening.push_back(first);
            }
            for (const std::size_t w : walk)
                seen[w] = 2;
        }
        return opening;
    }

    void Reach(std::size_t i) {
        Entry& e = files_[i];
        if (!Moves(e)) {
            e.At = Stage::Done;
            return;
        }
        if (!e.File.WayName.isEmpty()) {
            OpenRing(i);
            return;
        }
        const std::size_t holder = HolderOf(i);
        if (holder == kNone) {
            ready_.push_back(i);
            return;
        }
        e.At = Stage::Waiting;
        files_[holder].Waiters.push_back(i);
    }

    // The ring's first file goes to its way name, which frees its own for the file before it.
    void OpenRing(std::size_t i) {
        Entry& e = files_[i];
        const RenameOutcome away = host_.RenameFile(e.File.Index, e.From, e.File.WayName);
        if (away.Result != RenameResult::Ok) {
            Settle(i, away);
            return;
        }
        e.From = e.File.WayName;
        e.At = Stage::OnTheWay;
        const std::size_t holder = HolderOf(i);
        if (holder != kNone)
            files_[holder].Waiters.push_back(i);
        else
            ready_.push_back(i);
        Release(i);
    }

    // The file has its try at its new name; from its way name, it goes back where the try fails.
    void Move(std::size_t i) {
        Entry& e = files_[i];
        RenameOutcome outcome = host_.RenameFile(e.File.Index, e.From, e.To);
        if (outcome.Result != RenameResult::Ok && e.At == Stage::OnTheWay &&
            host_.RenameFile(e.File.Index, e.From, e.Own).Result != RenameResult::Ok)
            outcome = {RenameResult::Failed, outcome.SystemError}; // left under its way name
        Settle(i, outcome);
    }

    void Settle(std::size_t i, const RenameOutcome& outcome) {
        Entry& e = files_[i];
        e.File.Result = outcome.Result;
        e.File.SystemError = outcome.SystemError;
        e.At = Stage::Done;
        Release(i);
    }

    // What waited for the file to give up its name has its try now; it finds the name free, or
    // taken where the file kept it.
    void Release(std::size_t i) {
        for (const std::size_t w : std::exchange(files_[i].Waiters, {}))
            ready_.push_back(w);
    }

    // Every file whose new name has come free has its try, with a turn between two of them.
    void Drain() {
        while (!ready_.empty()) {
            const std::size_t i = ready_.back();
            ready_.pop_back();
            if (files_[i].At != Stage::Done) {
                if (stopping_ && !files_[i].Pinned)
                    Stop(files_[i]); // and what waits for it stays, too
                else
                    Move(i);
            }
            if (!ready_.empty())
                Turn(files_[i].File.Index);
        }
    }

    void Turn(int inHand) {
        if (Clock::now() - lastTurn_ < interval_)
            return;
        host_.Yield(inHand);
        stopping_ = stopping_ || host_.StopAsked();
        const RenameOptions now = host_.ReadOptions();
        if (!stopping_ && (now != options_ || SelectionMoved()) && cursor_ < files_.size()) {
            options_ = now;
            Plan(files_[cursor_].File.Index + 1);
        }
        lastTurn_ = Clock::now();
    }

    // True when the selected rows after the cursor are not those the plan has there; the files of
    // open rings stay whatever the selection.
    bool SelectionMoved() const {
        if (cursor_ >= files_.size())
            return false;
        std::vector<int> planned;
        QSet<int> pinned;
        for (std::size_t i = cursor_ + 1; i < files_.size(); ++i) {
            if (files_[i].Pinned)
                pinned.insert(files_[i].File.Index);
            else
                planned.push_back(files_[i].File.Index);
        }
        std::size_t k = 0;
        for (int row = files_[cursor_].File.Index + 1; row < count_; ++row) {
            if (pinned.contains(row) || !host_.IsSelected(row))
                continue;
            if (k == planned.size() || planned[k] != row)
                return true;
            ++k;
        }
        return k != planned.size();
    }

    BatchHost& host_;
    const std::chrono::milliseconds interval_;
    RenameOptions options_;
    CounterState counter_; // as it stands after the files before the cursor
    int count_ = 0;
    std::vector<Entry> files_;
    std::size_t cursor_ = 0;
    std::vector<std::size_t> next_;  // by file: the file that had its new name when the run last ordered
    std::vector<std::size_t> ready_; // files whose new name has come free (or never will)
    Clock::time_point lastTurn_;
    bool stopping_ = false; // the user asked the run to stop
};

} // namespace

BatchResult RunBatch(BatchHost& host, std::chrono::milliseconds turnInterval) {
    return Runner(host, turnInterval).Run();
}
