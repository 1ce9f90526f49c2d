#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>

// Builds a TIFF block of IFD0 and an EXIF sub-directory in either byte order, and wraps it in a
// minimal JPEG the way cameras do (the "Exif" marker at byte 6).
class TiffBuilder {
public:
    enum class Dir { Ifd0, Exif };
    enum Type : quint16 {
        Byte = 1,
        Ascii,
        Short,
        Long,
        Rational,
        SByte,
        Undefined,
        SShort,
        SLong,
        SRational
    };

    explicit TiffBuilder(bool littleEndian) : m_littleEndian(littleEndian) {}

    QByteArray U16(quint16 value) const;
    QByteArray U32(quint32 value) const;
    QByteArray Rationals(const QList<std::pair<qint64, qint64>>& values) const;

    // An entry whose value bytes go into the value field when they fit 4 bytes (zero-padded),
    // else into the data area behind the directories with their offset in the field.
    TiffBuilder& Add(Dir dir, quint16 tag, quint16 type, quint32 count, const QByteArray& value);
    // An entry whose value field holds `field` as it is, for offsets that point anywhere.
    TiffBuilder& AddField(Dir dir, quint16 tag, quint16 type, quint32 count, quint32 field);
    TiffBuilder& Ascii0(Dir dir, quint16 tag, const QByteArray& text); // with the terminating zero
    TiffBuilder& Short1(Dir dir, quint16 tag, quint16 value);
    TiffBuilder& Long1(Dir dir, quint16 tag, quint32 value);
    TiffBuilder& Rational1(Dir dir, quint16 tag, qint64 numerator, qint64 denominator);
    TiffBuilder& SRational1(Dir dir, quint16 tag, qint64 numerator, qint64 denominator);
    // ExifOffset (LONG) in IFD0 pointing at the EXIF sub-directory.
    TiffBuilder& ExifPointer();

    QByteArray Tiff() const;
    // SOI, APP1 with "Exif\0\0" and the TIFF block, EOI; `padding` zero bytes before the APP1.
    QByteArray Jpeg(int padding = 0) const;

    // The offset of the EXIF sub-directory from the TIFF header, as Tiff() lays it out.
    quint32 ExifDirectoryOffset() const;

private:
    struct Entry {
        quint16 tag, type;
        quint32 count;
        QByteArray value;
        std::optional<quint32> field;
        bool exifPointer = false;
    };
    QList<Entry>& Entries(Dir dir) { return dir == Dir::Ifd0 ? m_ifd0 : m_exif; }

    bool m_littleEndian;
    QList<Entry> m_ifd0, m_exif;
};

// Writes `bytes` into `folder` as `name` and returns the path.
QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes);
