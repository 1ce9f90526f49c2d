#include "batch/BatchForecast.h"

#include "batch/BatchRows.h"
#include "rename/RuleChain.h"

#include <QHash>

#include <gtest/gtest.h>

namespace {

class Names final : public ListedEntries {
public:
    explicit Names(const QStringList& names) {
        for (const QString& n : names)
            entries_.push_back({n.toUtf8(), n, 0});
    }
    int Count() const override { return int(entries_.size()); }
    const FolderEntry& Entry(int row) const override { return entries_[std::size_t(row)]; }
    const FolderEntries& All() const { return entries_; }

private:
    FolderEntries entries_;
};

// Photos of one burst want one name when the rest of their names is made the same; a photo
// without a date gets none.
TEST(BatchForecast, WithTheDateRuleAPhotoWithoutADateAndABurstAreMarked) {
    const Names list({"IMG_1.jpg", "IMG_2.jpg", "IMG_3.jpg", "IMG_4.jpg", "notes.txt"});
    const QDateTime burst(QDate(2004, 5, 12), QTime(14, 33, 10));
    const QHash<QString, QDateTime> taken{
        {"IMG_1.jpg", burst}, {"IMG_2.jpg", burst}, {"IMG_4.jpg", burst.addSecs(1)}};
    RenameOptions options;
    options.CutLastOn = true; // "IMG_1" and "IMG_2" both become "IMG_"
    options.CutLastCount = "1";
    options.DateTakenOn = true;
    const BatchForecast forecast = ForecastBatch(list, RowMarks(5, true), options, list.All(), {}, {},
                                                 [&](const FolderEntry& e, FactsWanted) -> FileFacts {
                                                     if (!taken.contains(e.Text))
                                                         return std::nullopt;
                                                     return FileFacts(taken.value(e.Text));
                                                 });
    const std::vector<BatchRow> rows = ForecastRows(forecast);
    ASSERT_EQ(rows.size(), 5u);
    QStringList marks;
    for (const BatchRow& row : rows)
        marks << MarkText(row, BatchViewKind::Forecast);
    EXPECT_EQ(
        marks,
        (QStringList{QString::fromUtf8("wird umbenannt; gleiche Aufnahmezeit wie \u201eIMG_2.jpg\u201c"),
                     QString::fromUtf8("beh\u00e4lt Namen: gleiche Aufnahmezeit wie \u201eIMG_1.jpg\u201c"),
                     QString::fromUtf8("wird umbenannt; kein Aufnahmedatum"),
                     QString::fromUtf8("wird umbenannt"), QString::fromUtf8("wird umbenannt")}));
    EXPECT_EQ(SummaryText(BatchViewKind::Forecast, rows), "Vorschau: 1 von 5 Dateien behalten ihren Namen");
}

} // namespace
