#include "exif/DateTaken.h"

#include "exif/clsEXIF.h"

namespace {

constexpr qint32 DateTimeOriginal = 36867;

// The number written in text[from, from + digits); -1 unless every one of them is a digit.
int DigitsAt(const QString& text, qsizetype from, int digits) {
    int value = 0;
    for (qsizetype i = from; i < from + digits; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

std::optional<QDateTime> DateTakenOfHead(QByteArrayView head) {
    clsEXIF reader;
    reader.ReadHead(head);
    return DateTakenOfReader(reader);
}

std::optional<QDateTime> DateTakenOfReader(clsEXIF& reader) {
    QString text;
    reader.MetaInfo(DateTimeOriginal, text); // leaves the text empty without an EXIF block
    // "yyyy:MM:dd HH:mm:ss"; a missing tag gives the reader's not-found text, which is no date.
    // Read by hand: Qt's format parser costs more than the rest of the file's reading.
    if (text.size() < 19 || text[4] != u':' || text[7] != u':' || text[13] != u':' || text[16] != u':')
        return std::nullopt;
    const int year = DigitsAt(text, 0, 4);
    const QDate date(year, DigitsAt(text, 5, 2), DigitsAt(text, 8, 2));
    const QTime time(DigitsAt(text, 11, 2), DigitsAt(text, 14, 2), DigitsAt(text, 17, 2));
    if (year < 1 || !date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}
