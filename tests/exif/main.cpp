#include <QApplication>

#include <gtest/gtest.h>

// The summary tests write into real widgets, so the tests run inside a QApplication.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
