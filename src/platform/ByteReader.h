#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

#include <concepts>
#include <cstring>
#include <optional>

enum class ByteOrder { LittleEndian, BigEndian };

// Reads numbers and byte runs out of bytes of unknown origin. Every read names where it starts and
// how long it is, and is checked against the end of the bytes: a read that would reach past it, or
// whose start and length would overflow, gives nothing instead of a value.
class ByteReader {
public:
    ByteReader(QByteArrayView bytes, ByteOrder order) : bytes_(bytes), order_(order) {}
    // The reader holds no copy: bytes that die with the statement would leave it reading freed memory.
    ByteReader(QByteArray&&, ByteOrder) = delete;

    qsizetype Size() const { return bytes_.size(); }

    // True when length bytes at offset lie within the bytes.
    bool Holds(qsizetype offset, qsizetype length) const {
        return offset >= 0 && length >= 0 && offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    // The unsigned number of sizeof(T) bytes at offset, in the reader's byte order.
    template <std::unsigned_integral T> std::optional<T> Number(qsizetype offset) const {
        if (!Holds(offset, qsizetype(sizeof(T))))
            return std::nullopt;
        T raw;
        std::memcpy(&raw, bytes_.data() + offset, sizeof(T));
        return order_ == ByteOrder::LittleEndian ? qFromLittleEndian(raw) : qFromBigEndian(raw);
    }

    // The length bytes at offset; they stay part of the reader's bytes.
    std::optional<QByteArrayView> Bytes(qsizetype offset, qsizetype length) const {
        if (!Holds(offset, length))
            return std::nullopt;
        return bytes_.sliced(offset, length);
    }

    // Reading in order: each read starts where the one before ended, and moves on only when it
    // gives a value.
    qsizetype Position() const { return position_; }
    qsizetype Remaining() const { return bytes_.size() - position_; }

    template <std::unsigned_integral T> std::optional<T> NextNumber() {
        const std::optional<T> value = Number<T>(position_);
        if (value)
            position_ += qsizetype(sizeof(T));
        return value;
    }

    std::optional<QByteArrayView> NextBytes(qsizetype length) {
        const std::optional<QByteArrayView> value = Bytes(position_, length);
        if (value)
            position_ += length;
        return value;
    }

private:
    QByteArrayView bytes_;
    ByteOrder order_;
    qsizetype position_ = 0;
};
