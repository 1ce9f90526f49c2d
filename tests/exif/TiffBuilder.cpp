#include "TiffBuilder.h"

#include <QFile>

QByteArray TiffBuilder::U16(quint16 value) const {
    QByteArray bytes(2, 0);
    bytes[m_littleEndian ? 0 : 1] = char(value & 0xFF);
    bytes[m_littleEndian ? 1 : 0] = char(value >> 8);
    return bytes;
}

QByteArray TiffBuilder::U32(quint32 value) const {
    QByteArray bytes(4, 0);
    for (int i = 0; i < 4; ++i)
        bytes[m_littleEndian ? i : 3 - i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}

QByteArray TiffBuilder::Rationals(const QList<std::pair<qint64, qint64>>& values) const {
    QByteArray bytes;
    for (const auto& [numerator, denominator] : values)
        bytes += U32(quint32(numerator)) + U32(quint32(denominator));
    return bytes;
}

TiffBuilder& TiffBuilder::Add(Dir dir, quint16 tag, quint16 type, quint32 count, const QByteArray& value) {
    Entries(dir).append({tag, type, count, value, std::nullopt});
    return *this;
}

TiffBuilder& TiffBuilder::AddField(Dir dir, quint16 tag, quint16 type, quint32 count, quint32 field) {
    Entries(dir).append({tag, type, count, {}, field});
    return *this;
}

TiffBuilder& TiffBuilder::Ascii0(Dir dir, quint16 tag, const QByteArray& text) {
    return Add(dir, tag, Ascii, quint32(text.size() + 1), text + '\0');
}

TiffBuilder& TiffBuilder::Short1(Dir dir, quint16 tag, quint16 value) {
    return Add(dir, tag, Short, 1, U16(value));
}

TiffBuilder& TiffBuilder::Long1(Dir dir, quint16 tag, quint32 value) {
    return Add(dir, tag, Long, 1, U32(value));
}

TiffBuilder& TiffBuilder::Rational1(Dir dir, quint16 tag, qint64 numerator, qint64 denominator) {
    return Add(dir, tag, Rational, 1, Rationals({{numerator, denominator}}));
}

TiffBuilder& TiffBuilder::SRational1(Dir dir, quint16 tag, qint64 numerator, qint64 denominator) {
    return Add(dir, tag, SRational, 1, Rationals({{numerator, denominator}}));
}

TiffBuilder& TiffBuilder::ExifPointer() {
    m_ifd0.append({34665, Long, 1, {}, std::nullopt, true});
    return *this;
}

quint32 TiffBuilder::ExifDirectoryOffset() const {
    return quint32(8 + 2 + 12 * m_ifd0.size() + 4);
}

QByteArray TiffBuilder::Tiff() const {
    // 8 bytes header, IFD0 at 8, the EXIF directory right behind it, then the data area.
    QByteArray header = QByteArray(m_littleEndian ? "II" : "MM") + U16(42) + U32(8);
    const quint32 exifAt = ExifDirectoryOffset();
    quint32 dataAt = exifAt + quint32(2 + 12 * m_exif.size() + 4);
    QByteArray directories, data;
    for (const QList<Entry>* list : {&m_ifd0, &m_exif}) {
        directories += U16(quint16(list->size()));
        for (const Entry& e : *list) {
            directories += U16(e.tag) + U16(e.type) + U32(e.count);
            if (e.exifPointer) {
                directories += U32(exifAt);
            } else if (e.field) {
                directories += U32(*e.field);
            } else if (e.value.size() <= 4) {
                directories += e.value + QByteArray(4 - e.value.size(), '\0');
            } else {
                directories += U32(dataAt + quint32(data.size()));
                data += e.value;
            }
        }
        directories += U32(0); // no next directory
    }
    return header + directories + data;
}

QByteArray TiffBuilder::Jpeg(int padding) const {
    const QByteArray tiff = Tiff();
    const int length = 2 + 6 + int(tiff.size());
    QByteArray jpeg("\xFF\xD8", 2);
    jpeg += QByteArray(padding, '\0');
    jpeg += QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF);
    jpeg += QByteArray("Exif\0\0", 6) + tiff + QByteArray("\xFF\xD9", 2);
    return jpeg;
}

QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    const QString path = folder + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}
