#include "batch/FactsReaders.h"

#include <QElapsedTimer>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

namespace {

TEST(FactsReaders, ANewRequestDropsTheFilesOfTheLastOneNotBegunAndReadsAllOfItsOwn) {
    // Files that are not there: each read is a failed look-up, the fastest there is.
    const FactsWanted date{.Photo = true};
    std::vector<FactsJob> many;
    for (int i = 0; i < 100000; ++i)
        many.push_back({{"gone" + QByteArray::number(i) + ".jpg", QString::number(i) + ".jpg", 0}, date, {}});
    std::vector<FactsJob> few;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        few.push_back({{name, QString::fromUtf8(name), 0}, date, {}});
    const qsizetype manyCount = qsizetype(many.size());
    FactsReaders readers;
    readers.Request("/nonexistent", std::move(many));
    readers.Request("/nonexistent", few);
    QSet<QByteArray> done;
    QElapsedTimer waited;
    waited.start();
    // Every file of the new request comes in, with nothing where there is no file.
    auto hasFew = [&] { return done.contains("a.jpg") && done.contains("b.jpg") && done.contains("c.jpg"); };
    while (!hasFew() && !waited.hasExpired(15000)) {
        for (const FactsRead& read : readers.TakeDone()) {
            EXPECT_FALSE(read.Facts.has_value());
            done.insert(read.Name);
        }
        QThread::msleep(5);
    }
    EXPECT_TRUE(hasFew());
    QThread::msleep(50);
    for (const FactsRead& read : readers.TakeDone())
        done.insert(read.Name);
    // Of the dropped request, only what the readers took up before the new one came.
    EXPECT_LT(done.size() - 3, manyCount);
}

} // namespace
