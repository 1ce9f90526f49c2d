#include "app/ApplicationIcon.h"

#include "ui/frmFiles.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

// An icon whose SVG Qt cannot render, or whose engine plug-in is missing, gives empty pixmaps.
TEST(ApplicationIcon, RendersAtTheSizesDesktopsAskFor) {
    const QIcon icon = ApplicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 24, 32, 48, 64, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size)) << size;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;                      // the rounded corner
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;      // the file on the tile
        EXPECT_GT(qGreen(image.pixel(size / 12 + 1, size / 2)), 100) << size; // the green tile
    }
}

TEST(ApplicationIcon, TheWindowCarriesTheProgramsIcon) {
    QApplication::setWindowIcon(ApplicationIcon());
    {
        const frmFiles form(QByteArrayLiteral("."));
        EXPECT_EQ(form.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }
    QApplication::setWindowIcon(QIcon());
    const frmFiles form(QByteArrayLiteral("."));
    EXPECT_FALSE(form.windowIcon().isNull()); // a stock icon where the program set none
}

} // namespace
