#include "exif/DateTaken.h"

#include "exif/clsEXIF.h"

namespace {

constexpr qint32 DateTimeOriginal = 36867;

} // namespace

std::optional<QDateTime> DateTakenOfHead(QByteArrayView head) {
    clsEXIF reader;
    reader.ReadHead(head);
    QString text;
    reader.MetaInfo(DateTimeOriginal, text); // leaves the text empty without an EXIF block
    // "yyyy:MM:dd HH:mm:ss"; a missing tag gives the reader's not-found text, which is no date.
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy:MM:dd"));
    const QTime time = QTime::fromString(text.mid(11, 8), QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}
