#include "batch/OrderBy.h"

#include "support/TempTree.h"

#include <QFile>
#include <QHash>

#include <gtest/gtest.h>

namespace {

class Entries final : public ListedEntries {
public:
    explicit Entries(const QStringList& names) {
        for (const QString& name : names)
            entries_.push_back({QFile::encodeName(name), name, 0});
    }
    int Count() const override { return int(entries_.size()); }
    const FolderEntry& Entry(int row) const override { return entries_[std::size_t(row)]; }

private:
    FolderEntries entries_;
};

QStringList Names(const ListedEntries& list, const std::vector<int>& rows) {
    QStringList names;
    for (const int row : rows)
        names << list.Entry(row).Text;
    return names;
}

TEST(OrderBy, EachKeyOrdersTheRowsAndFilesWithoutOneFollowInNameOrder) {
    TempTree tree;
    const QStringList names = {"img10.jpg", "Img9.jpg", "b.jpg", "a.jpg", "gone.jpg"};
    const Entries list(names);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    int size = 4;
    for (const char* name : {"b.jpg", "img10.jpg", "a.jpg", "Img9.jpg"}) {
        tree.File(name, QByteArray(size, 'x')); // sizes grow in this order, and so do the times
        QFile file(tree.Abs(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(now.addSecs(size), QFileDevice::FileModificationTime));
        size *= 2;
    }
    const QHash<QString, QDateTime> dates = {{"img10.jpg", now.addDays(-3)}, {"b.jpg", now.addDays(-5)}};
    const DateOfEntry dateOf = [&](const FolderEntry& e) -> std::optional<QDateTime> {
        return dates.contains(e.Text) ? std::optional(dates[e.Text]) : std::nullopt;
    };
    const auto order = [&](OrderKey key) {
        return Names(list, OrderedRows(list, key, tree.NativePath(), dateOf));
    };
    EXPECT_EQ(order(OrderKey::Name), (QStringList{"a.jpg", "b.jpg", "gone.jpg", "Img9.jpg", "img10.jpg"}));
    EXPECT_EQ(order(OrderKey::DateTaken),
              (QStringList{"b.jpg", "img10.jpg", "a.jpg", "gone.jpg", "Img9.jpg"}));
    EXPECT_EQ(order(OrderKey::Size), (QStringList{"b.jpg", "img10.jpg", "a.jpg", "Img9.jpg", "gone.jpg"}));
    EXPECT_EQ(order(OrderKey::Modified), order(OrderKey::Size));
    EXPECT_EQ(order(OrderKey::Reverse), (QStringList{"gone.jpg", "a.jpg", "b.jpg", "Img9.jpg", "img10.jpg"}));
}

} // namespace
