#pragma once

#include "batch/FileFactsOf.h"
#include "platform/FolderListing.h"
#include "rename/FileFacts.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QSet>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

// One file for the readers: what is wanted of it, and what is known of it already (read again only
// where its stamp changed).
struct FactsJob {
    FolderEntry Entry;
    FactsWanted Wanted;
    std::optional<KnownFacts> Known;
};

// One file the readers are done with: what it holds now, or nothing where there is no file.
struct FactsRead {
    QByteArray Folder;
    QByteArray Name;
    std::optional<KnownFacts> Facts;
};

// A few threads that read the facts of many files at once (photo heads, song tags), so that a slow
// medium answers eight files in the time of one and the window's thread never waits for a file.
// A file that does not answer holds up its own reader only, and a reader stuck for long is
// replaced, so that files that never answer do not use the readers up. The window hands out a request and
// takes what is done on its own turns; nothing is sent to it from the readers.
class FactsReaders {
public:
    explicit FactsReaders(int readers = 8);
    // Drops what has not begun. A reader in the middle of a read finishes it on its own and then ends.
    ~FactsReaders();
    FactsReaders(const FactsReaders&) = delete;
    FactsReaders& operator=(const FactsReaders&) = delete;

    // Replaces the files still waiting by these. A file a reader is in the middle of is not read a
    // second time where that read holds what the job wants: it counts for this request when done.
    void Request(const QByteArray& folder, std::vector<FactsJob> jobs);
    // Drops the files still waiting.
    void Cancel();
    // What the readers are done with since the last call, of this request or an earlier one.
    std::vector<FactsRead> TakeDone();

    // A reader in the middle of one read for this long is taken as stuck: another starts in its place.
    static constexpr std::chrono::milliseconds kStuckAfter{1000};
    static constexpr int kMostReaders = 64; // stuck ones included

private:
    struct Shared;
    void Start();
    void ReplaceStuck();
    static void ReadOnAndOn(const std::shared_ptr<Shared>& shared, std::size_t slot);

    std::shared_ptr<Shared> shared_;
    int readers_;
    int started_ = 0;
};

// One request to the readers as its asker follows it on its own thread: the files still out, the
// facts of those that came in, and whether a medium that does not answer has had its time.
class FactsRequest {
public:
    // Asks readers for the files of jobs in folder, instead of whatever they were asked before; every
    // job wants the same facts.
    void Start(FactsReaders& readers, const QByteArray& folder, std::vector<FactsJob> jobs);
    // Takes what the readers are done with into cache (whatever request it was read for); true once
    // every file is in, or none has come in for patienceMs: the files still out are not read then.
    bool TakeIn(FactsReaders& readers, FileFactsCache& cache, qint64 patienceMs);

    const QByteArray& Folder() const { return folder_; }
    qsizetype Total() const { return total_; }
    qsizetype In() const { return total_ - waiting_.size(); }
    qint64 Elapsed() const { return started_.elapsed(); }
    bool NotRead(const QByteArray& name) const { return waiting_.contains(name); }
    // The facts of a file of the request that came in; nothing where there was no file or it is out.
    std::optional<FileFacts> FactsOf(const QByteArray& name) const { return in_.value(name); }

private:
    QByteArray folder_;
    qsizetype total_ = 0;
    FactsWanted wanted_;
    QSet<QByteArray> waiting_;
    QHash<QByteArray, std::optional<FileFacts>> in_;
    QElapsedTimer started_;
    QElapsedTimer quiet_; // since the last file came in
};
