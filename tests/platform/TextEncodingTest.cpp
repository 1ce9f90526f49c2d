#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

// Windows-1252 as Windows maps it: Latin-1 except for 0x80..0x9F, where the five bytes the code page
// leaves undefined (81, 8D, 8F, 90, 9D) stay the C1 controls of the same number.
constexpr char16_t kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

TEST(TextEncoding, Windows1252MapsEveryByteAsWindowsDoes) {
    for (int b = 0; b < 256; ++b) {
        const char16_t expected = b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b);
        EXPECT_EQ(DecodeWindows1252(QByteArray(1, char(b))), QString(QChar(expected))) << b;
    }
}

} // namespace
