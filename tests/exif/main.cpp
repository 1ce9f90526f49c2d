#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

// The summary tests write into real widgets, so the tests run inside a QApplication.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The expected texts use a full stop as decimal separator unless a test picks a locale itself,
    // whatever the locale of the machine that runs them.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
