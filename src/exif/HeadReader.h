#pragma once

#include <QByteArrayView>
#include <QtEndian>
#include <QtGlobal>

#include <optional>

// The one way the reader looks at the bytes of a file head. Every offset, length and count read from
// the file passes through here as a 64-bit number, so a TIFF start plus any 32-bit offset can not
// wrap, and nothing outside the head is ever touched. A position whose byte the head does not hold
// is "missing": it counts as 0 in a number and is left out of a byte string.
class HeadReader {
public:
    HeadReader(QByteArrayView bytes, bool littleEndian) : m_bytes(bytes), m_littleEndian(littleEndian) {}

    bool littleEndian() const { return m_littleEndian; }
    // One past the last position that holds a byte.
    qint64 End() const { return m_origin + m_bytes.size(); }

    // The unsigned number of `length` bytes (1 to 8) at `offset` in the head's byte order; missing
    // when not one of its bytes is held.
    std::optional<quint64> Number(qint64 offset, int length) const {
        const qint64 index = offset - m_origin;
        if (index >= 0 && length > 0 && length <= 8 && index <= m_bytes.size() - length) {
            // All bytes held: the common case, read at once.
            const auto* bytes = reinterpret_cast<const uchar*>(m_bytes.data() + index);
            if (length == 2)
                return m_littleEndian ? qFromLittleEndian<quint16>(bytes) : qFromBigEndian<quint16>(bytes);
            if (length == 4)
                return m_littleEndian ? qFromLittleEndian<quint32>(bytes) : qFromBigEndian<quint32>(bytes);
        }
        return NumberByBytes(offset, length);
    }

    std::optional<quint8> Byte(qint64 offset) const {
        const qint64 index = offset - m_origin;
        if (index < 0 || index >= m_bytes.size())
            return std::nullopt;
        return quint8(m_bytes[index]);
    }

    // The held bytes of [offset, offset + length).
    QByteArrayView Bytes(qint64 offset, qint64 length) const {
        const qint64 begin = qMax(offset, m_origin);
        const qint64 end = qMin(offset + qMax<qint64>(length, 0), End());
        if (begin >= end)
            return {};
        return m_bytes.sliced(begin - m_origin, end - begin);
    }

    // True when a record of `length` bytes at `offset` has at least one byte held.
    bool Touches(qint64 offset, qint64 length) const { return offset < End() && offset + length > m_origin; }

    // The `length` bytes at `offset` as a reader of their own whose position 0 is `offset`; positions
    // outside that range are missing there even where this reader holds them.
    HeadReader Window(qint64 offset, qint64 length) const {
        const qint64 begin = qMax(offset, m_origin);
        const qint64 end = qMin(offset + qMax<qint64>(length, 0), End());
        HeadReader window({}, m_littleEndian);
        if (begin < end) {
            window.m_bytes = m_bytes.sliced(begin - m_origin, end - begin);
            window.m_origin = begin - offset;
        }
        return window;
    }

private:
    // Number() byte by byte, for the other lengths and for a number the head holds only in part.
    Q_NEVER_INLINE std::optional<quint64> NumberByBytes(qint64 offset, int length) const {
        if (length <= 0 || length > 8 || !Touches(offset, length))
            return std::nullopt;
        quint64 value = 0;
        for (int i = 0; i < length; ++i) {
            const int shift = m_littleEndian ? 8 * i : 8 * (length - 1 - i);
            value |= quint64(Byte(offset + i).value_or(0)) << shift;
        }
        return value;
    }

    QByteArrayView m_bytes;
    qint64 m_origin = 0; // the position of m_bytes[0]
    bool m_littleEndian;
};
