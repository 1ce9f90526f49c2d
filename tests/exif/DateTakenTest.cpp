#include "exif/DateTaken.h"
#include "exif/TiffBuilder.h"

#include <gtest/gtest.h>

namespace {

std::optional<QDateTime> TakenOf(const QByteArray& text) {
    TiffBuilder b(true);
    b.ExifPointer().Ascii0(TiffBuilder::Dir::Exif, 36867, text);
    return DateTakenOfHead(b.Jpeg());
}

TEST(DateTaken, IsReadFromDateTimeOriginalAndNeverFromAnUnsetOrImpossibleDate) {
    EXPECT_EQ(TakenOf("2004:05:12 14:33:10"), QDateTime(QDate(2004, 5, 12), QTime(14, 33, 10), Qt::UTC));
    // Cameras without a set clock write blanks or zeros.
    for (const QByteArray text : {"    :  :     :  :  ", "0000:00:00 00:00:00", "2004:02:30 12:00:00",
                                  "2004:05:12 24:00:00", "2004-05-12 14:33:10", "2004:05:1", ""})
        EXPECT_EQ(TakenOf(text), std::nullopt) << text.constData();
    EXPECT_EQ(DateTakenOfHead(QByteArray("\xFF\xD8 not an EXIF block")), std::nullopt);
}

} // namespace
