#include "batch/BatchForecast.h"

#include "rename/SimulatedFolder.h"

#include <QHash>

namespace {

// A run's host whose renames happen in a SimulatedFolder.
class ForecastHost final : public BatchHost {
public:
    ForecastHost(const ListedEntries& list, const RowMarks& selected, const RenameOptions& options,
                 SimulatedFolder& folder, const FactsSource& factsOf)
        : holders_(std::size_t(list.Count()), SimulatedFolder::Outside), list_(list), options_(options),
          folder_(folder), factsOf_(factsOf), selected_(selected) {
        selected_.resize(std::size_t(list.Count()), false);
        // The batch's files hold their own names; an entry the folder does not have (a list left
        // from another folder) holds nothing, and its rename finds no file.
        for (int row = 0; row < list.Count(); ++row)
            if (selected_[std::size_t(row)])
                folder_.Claim(list.Entry(row).Name, row);
    }

    int EntryCount() const override { return list_.Count(); }
    bool IsSelected(int index) const override { return selected_[std::size_t(index)]; }
    QString EntryText(int index) const override { return list_.Entry(index).Text; }
    QByteArray EntryName(int index) const override { return list_.Entry(index).Name; }
    RenameOptions ReadOptions() const override { return options_; }
    FileFacts FileFactsOf(int index, FactsWanted wanted) const override {
        FileFacts facts = factsOf_(list_.Entry(index), wanted);
        if (wanted.Photo)
            datesTaken_.insert(index, facts.Taken);
        return facts;
    }
    QByteArray WayName(int) override {
        QByteArray name;
        do
            name = ".varnello-way-" + QByteArray::number(++ways_);
        while (folder_.HolderOf(name));
        return name;
    }
    RenameOutcome RenameFile(int index, const QByteArray& from, const QByteArray& to) override {
        const RenameOutcome outcome = folder_.Rename(from, to);
        if (outcome.Result == RenameResult::TargetExists)
            holders_[std::size_t(index)] = folder_.HolderOf(to).value_or(SimulatedFolder::Outside);
        return outcome;
    }
    void Planned(std::span<const BatchFile>) override {}
    void Yield(int) override {}

    // By row: who held the new name where it was found taken.
    std::vector<int> holders_;
    // By row: the dates the run asked for.
    mutable QHash<int, std::optional<QDateTime>> datesTaken_;

private:
    const ListedEntries& list_;
    const RenameOptions& options_;
    SimulatedFolder& folder_;
    const FactsSource& factsOf_;
    RowMarks selected_;
    int ways_ = 0;
};

} // namespace

BatchForecast ForecastBatch(const ListedEntries& list, const RowMarks& selected, const RenameOptions& options,
                            const FolderEntries& files, const FolderEntries& folders,
                            const FolderNames& others, const FactsSource& factsOf) {
    SimulatedFolder folder;
    folder.Reserve(qsizetype(files.size() + folders.size() + others.size()));
    for (const FolderEntries* entries : {&files, &folders})
        for (const FolderEntry& e : *entries)
            folder.Hold(e.Name, SimulatedFolder::Outside);
    for (const QByteArray& name : others)
        folder.Hold(name, SimulatedFolder::Outside);
    ForecastHost host(list, selected, options, folder, factsOf);
    BatchForecast forecast;
    // Options never change under a forecast, so it needs no turn of the event loop.
    forecast.Run = RunBatch(host, std::chrono::hours(1));
    forecast.Holders.reserve(std::size_t(forecast.Run.Files.size()));
    for (const BatchFile& file : forecast.Run.Files)
        forecast.Holders.push_back(host.holders_[std::size_t(file.Index)]);
    if (options.DateTakenOn) {
        forecast.DatesTaken.reserve(std::size_t(forecast.Run.Files.size()));
        for (const BatchFile& file : forecast.Run.Files)
            forecast.DatesTaken.push_back(host.datesTaken_.value(file.Index));
    }
    return forecast;
}
