#include "exif/clsEXIF.h"

#include "exif/HeadReader.h"
#include "exif/NumberFormat.h"
#include "exif/TagTable.h"

#include <QLocale>

#include <cmath>
#include <cstring>
#include <utility>
#include <string_view>

namespace {

// Tags whose values the reader decodes in a form of their own.
enum Tag : qint32 {
    XResolution = 282,
    YResolution = 283,
    ExposureTime = 33434,
    FNumber = 33437,
    ExifOffset = 34665,
    ExifVersion = 36864,
    ComponentsConfiguration = 37121,
    ShutterSpeedValue = 37377,
    ApertureValue = 37378,
    ExposureBiasValue = 37380,
    MaxApertureValue = 37381,
    SubjectDistance = 37382,
    FocalLength = 37386,
    MakerNote = 37500,
    FlashPixVersion = 40960,
    ExifInteroperabilityOffset = 40965,
    FocalPlaneXResolution = 41486,
    FocalPlaneYResolution = 41487,
    FileSource = 41728,
    SceneType = 41729,
};

enum FieldType : qint32 {
    Ascii = 2,
    RationalType = 5,
    SByte = 6,
    Undefined = 7,
    SShort = 8,
    SLong = 9,
    SRational = 10
};

// The directory of a TIFF block may hold no more entries than a 16-bit signed index reaches.
constexpr qsizetype MaxTagListIndex = 32767;

// Appends the bytes that `keep` accepts, one character per byte, in one pass.
template <typename Keep> void AppendCharacters(QString& text, QByteArrayView bytes, Keep keep) {
    const qsizetype start = text.size();
    text.resize(start + bytes.size());
    QChar* out = text.data() + start;
    qsizetype length = 0;
    for (const char c : bytes) {
        if (keep(quint8(c)))
            out[length++] = QChar(quint8(c));
    }
    text.truncate(start + length);
}

// The bytes as characters without the zero bytes (string terminators, the padding of short inline
// values, the zeros of UserComment's character-code prefix).
void AppendText(QString& text, QByteArrayView bytes) {
    AppendCharacters(text, bytes, [](quint8 c) { return c != 0; });
}

// Only the characters with codes 32 to 127: a maker note is binary data with some text inside.
void AppendPrintableOnly(QString& text, QByteArrayView bytes) {
    AppendCharacters(text, bytes, [](quint8 c) { return c >= 32 && c <= 127; });
}

// How a rational entry is shown. The quotient of its first rational replaces Value for every form
// but List.
enum class RationalForm {
    OneDecimal,          // the quotient in pattern "0.0"
    ExposureDenominator, // 1 / quotient in pattern "0": 125 for 1/125 s
    FNumberFromApex,     // the APEX aperture value Av as the f-number sqrt(2)^Av, "0.0"
    TimeFromApex,        // the APEX time value Tv as the exposure's denominator 2^Tv, "0"
    Plain,               // "numerator/denominator"
    List,                // every element with three decimals, joined by "/"
};

RationalForm FormOf(const ExifEntry& entry) {
    if (entry.Type == RationalType) {
        switch (entry.Tag) {
        case FNumber:
        case XResolution:
        case YResolution:
        case SubjectDistance:
        case FocalLength:
        case FocalPlaneXResolution:
        case FocalPlaneYResolution:
            return RationalForm::OneDecimal;
        case ExposureTime:
            return RationalForm::ExposureDenominator;
        case ApertureValue:
        case MaxApertureValue:
            return RationalForm::FNumberFromApex;
        default:
            break;
        }
    } else {
        switch (entry.Tag) {
        case ShutterSpeedValue:
            return RationalForm::TimeFromApex;
        case ExposureBiasValue:
            return RationalForm::OneDecimal;
        default:
            break;
        }
    }
    return entry.Count < 2 ? RationalForm::Plain : RationalForm::List;
}

} // namespace

clsEXIF::clsEXIF() = default;

// Every field of every entry is read through here: defined first, so that it is inlined.
inline quint64 clsEXIF::ReadNumber(const HeadReader& head, qint64 start, qint16 length) {
    return head.Number(start, length).value_or(0);
}

void clsEXIF::setImageFile(const QVariant& vNewValue, QByteArrayView head, const QString& refusal) {
    m_LastError = {};
    m_ImageFile = vNewValue.toString();
    m_Status = ReadMetaInfo(head, refusal);
}

void clsEXIF::ReadHead(QByteArrayView head) {
    m_LastError = {};
    m_Status = ReadMetaInfo(head, {});
}

ExifStatus clsEXIF::ReadMetaInfo(QByteArrayView head, const QString& refusal) {
    head = head.first(qMin<qsizetype>(head.size(), HeadLength));
    if (head.isEmpty()) {
        // An empty file reads as a missing one.
        ReportError(ExifErrorNumber::FileNotFound, QStringLiteral("ReadMetaInfo"),
                    refusal.isEmpty() ? QStringLiteral("Datei nicht gefunden.") : refusal);
        return ExifStatus::NotReadable;
    }
    // "Exif" and a zero byte anywhere in the head; no JPEG segment structure is followed.
    const std::string_view bytes(head.data(), std::size_t(head.size()));
    const auto marker = bytes.find(std::string_view("Exif\0", 5));
    if (marker == std::string_view::npos)
        return ExifStatus::NoExifMarker;

    // After the marker one more zero byte, then the TIFF header.
    return ParseTiff(head, qint64(marker) + 6);
}

void clsEXIF::ReadTiff(QByteArrayView tiff) {
    m_LastError = {};
    tiff = tiff.first(qMin<qsizetype>(tiff.size(), TiffHeadLength));
    m_Status = tiff.size() < 8 ? ExifStatus::NoExifMarker : ParseTiff(tiff, 0);
}

ExifStatus clsEXIF::ParseTiff(QByteArrayView head, qint64 tiffStart) {
    // The entries keep pointing into the head, so it is kept with them.
    m_Head.resize(head.size());
    std::memcpy(m_Head.data(), head.data(), std::size_t(head.size()));
    // The TIFF header:
    // 2 bytes: "II" little-endian, anything else big-endian (the magic number 42 is not checked)
    // 2 bytes: 42
    // 4 bytes: offset of IFD0 from the start of the TIFF header
    m_TiffStart = tiffStart;
    m_IntelByteAlignment = HeadReader(m_Head, true).Bytes(m_TiffStart, 2) == QByteArrayView("II");
    m_DecimalPoint = QLocale().decimalPoint();
    const HeadReader reader = Head();

    m_TagList.clear();
    m_TagList.append(ExifEntry{});
    const qint64 ifd0 = qint64(ReadNumber(reader, m_TiffStart + 4, 4));
    const qint32 exifDirectory = ReadIFD(reader, ifd0, ExifOffset);
    // Without an ExifOffset there is no sub-directory: offset 0 is the TIFF header itself. The
    // directory ExifInteroperabilityOffset points to is not read.
    if (exifDirectory != 0)
        ReadIFD(reader, exifDirectory, ExifInteroperabilityOffset);
    return ExifStatus::Parsed;
}

qint32 clsEXIF::ReadIFD(const HeadReader& head, qint64 ifdOffset, qint32 searchedTag) {
    qint32 result = 0;
    // 2 bytes: number of entries n, then n entries of 12 bytes:
    // 2 bytes tag, 2 bytes field type, 4 bytes count, 4 bytes value (or offset of the value)
    qint64 p = m_TiffStart + ifdOffset;
    const quint64 n = ReadNumber(head, p, 2);
    p += 2;
    // Slots for as many entries as the head can hold at most, filled in place; the list is cut
    // to the entries read at the end.
    const qint64 fitting = qMax<qint64>(0, (head.End() - p + 11) / 12);
    qsizetype used = m_TagList.size();
    m_TagList.resize(qMin(used + qsizetype(qMin<qint64>(qint64(n), fitting)), MaxTagListIndex + 1));
    ExifEntry* const entries = m_TagList.data();
    for (quint64 i = 0; i < n && p < head.End(); ++i, p += 12) {
        // An entry with no byte in the head would read as zeros only: it is not a part of the file.
        if (!head.Touches(p, 12))
            continue;
        if (used > MaxTagListIndex)
            break;
        ExifEntry& entry = entries[used++];
        entry.Tag = qint32(ReadNumber(head, p, 2));
        entry.Type = qint32(ReadNumber(head, p + 2, 2));
        const quint64 count = ReadNumber(head, p + 4, 4);
        entry.Count = count <= quint64(INT32_MAX) ? qint32(count) : 0;
        entry.Value = double(ReadNumber(head, p + 8, 4));
        entry.Position = p;
        if (entry.Type == RationalType || entry.Type == SRational)
            entry.Value = RationalValue(head, entry);
        if (entry.Tag == searchedTag) {
            // A later entry with the same tag wins; a number that does not fit keeps the earlier one.
            if (const auto offset = ExifNumbers::RoundHalfEvenToInt32(
                    ExifNumbers::LeadingNumberWithExponent(DecodeValue(head, entry))))
                result = *offset;
        }
    }
    m_TagList.resize(used);
    return result;
}

double clsEXIF::RationalValue(const HeadReader& head, const ExifEntry& entry) const {
    if (FormOf(entry) == RationalForm::List)
        return entry.Value;
    const HeadReader value = ValueBytes(head, entry);
    const Rational first = entry.Type == SRational ? ReadSRational(value, 0) : ReadRational(value, 0);
    return first.Quotient().value_or(entry.Value);
}

HeadReader clsEXIF::Head() const {
    return HeadReader(m_Head, m_IntelByteAlignment);
}

HeadReader clsEXIF::ValueBytes(const HeadReader& head, const ExifEntry& entry) const {
    // A type outside the table has no size.
    const qint64 size = entry.Type > 0 && entry.Type < qint32(TypeSizes.size())
                            ? qint64(TypeSizes[std::size_t(entry.Type)]) * entry.Count
                            : 0;
    // Up to 4 bytes sit in the entry's value field itself; more lie at the field's offset from the
    // TIFF header. Bytes beyond the head are missing, so the value bytes are then shorter.
    if (size <= 4)
        return head.Window(entry.Position + 8, 4);
    return head.Window(m_TiffStart + qint64(ReadNumber(head, entry.Position + 8, 4)), size);
}

QString clsEXIF::EntryText(qsizetype index) const {
    if (index <= 0 || index >= m_TagList.size())
        return {};
    return DecodeValue(Head(), m_TagList[index]);
}

QString clsEXIF::DecodeValue(const HeadReader& head, const ExifEntry& entry) const {
    QString text;
    AppendValueText(text, head, entry);
    return text;
}

void clsEXIF::AppendValueText(QString& text, const HeadReader& head, const ExifEntry& entry) const {
    // A type outside the table has no size and gets no text.
    if (entry.Type <= 0 || entry.Type >= qint32(TypeSizes.size()))
        return;
    const qint16 elementSize = qint16(TypeSizes[std::size_t(entry.Type)]);
    const HeadReader value = ValueBytes(head, entry);
    const QByteArrayView bytes = value.Bytes(0, value.End());

    switch (entry.Type) {
    case Ascii:
        AppendText(text, bytes);
        return;
    case RationalType:
    case SRational:
        AppendRationalText(text, value, entry);
        return;
    case Undefined:
        switch (entry.Tag) {
        case MakerNote:
            AppendPrintableOnly(text, bytes);
            return;
        case ExifVersion:
        case FlashPixVersion: {
            // Four characters such as "0220": the number of the first two, ".", the last two.
            QString major;
            AppendText(major, bytes.first(qMin<qsizetype>(2, bytes.size())));
            ExifNumbers::AppendPlainDecimal(text, ExifNumbers::LeadingNumberWithExponent(major),
                                            m_DecimalPoint);
            text += QLatin1Char('.');
            AppendText(text, bytes.last(qMin<qsizetype>(2, bytes.size())));
            return;
        }
        case ComponentsConfiguration: {
            static constexpr QLatin1StringView ComponentNames[] = {
                QLatin1StringView(""),   QLatin1StringView("Y"), QLatin1StringView("Cb"),
                QLatin1StringView("Cr"), QLatin1StringView("R"), QLatin1StringView("G"),
                QLatin1StringView("B")};
            for (const char c : bytes.first(qMin<qsizetype>(4, bytes.size()))) {
                if (quint8(c) <= 6)
                    text += ComponentNames[quint8(c)];
            }
            return;
        }
        case FileSource:
        case SceneType:
            ExifNumbers::AppendInteger(text, ReadNumber(value, 0, 1));
            return;
        default:
            AppendText(text, bytes);
            return;
        }
    case SByte:
    case SShort:
    case SLong:
        // Only the first element of a multi-element integer is shown.
        ExifNumbers::AppendInteger(text, ReadSigned(value, 0, elementSize));
        return;
    default:
        // BYTE, SHORT, LONG, and FLOAT and DOUBLE as the unsigned integer of their bytes.
        ExifNumbers::AppendInteger(text, ReadNumber(value, 0, elementSize));
        return;
    }
}

void clsEXIF::AppendRationalText(QString& text, const HeadReader& value, const ExifEntry& entry) const {
    const bool isSigned = entry.Type == SRational;
    const auto read = [&](qint64 start) {
        return isSigned ? ReadSRational(value, start) : ReadRational(value, start);
    };
    const auto fixed = [&](double number, int decimals) {
        ExifNumbers::AppendFixed(text, number, decimals, m_DecimalPoint);
    };
    // A rational with denominator 0 has no quotient: the formatted forms then get no text.
    const Rational first = read(0);
    const std::optional<double> quotient = first.Quotient();
    switch (FormOf(entry)) {
    case RationalForm::OneDecimal:
        if (quotient)
            fixed(*quotient, 1);
        return;
    case RationalForm::ExposureDenominator:
        if (quotient && *quotient != 0)
            fixed(1 / *quotient, 0);
        return;
    case RationalForm::FNumberFromApex:
        if (quotient)
            fixed(std::pow(std::sqrt(2.0), *quotient), 1);
        return;
    case RationalForm::TimeFromApex:
        if (quotient)
            fixed(std::pow(2.0, *quotient), 0);
        return;
    case RationalForm::Plain:
        ExifNumbers::AppendInteger(text, first.numerator);
        text += QLatin1Char('/');
        ExifNumbers::AppendInteger(text, first.denominator);
        return;
    case RationalForm::List:
        break;
    }
    // Only the elements whose 8 bytes the head holds at least in part are read, so a corrupt count
    // cannot grow the text.
    for (qint64 element = 0; element < entry.Count && element * 8 < value.End(); ++element) {
        if (element > 0)
            text += QLatin1Char('/');
        if (const auto elementQuotient = read(element * 8).Quotient())
            fixed(*elementQuotient, 3);
    }
}

qint64 clsEXIF::ReadSigned(const HeadReader& head, qint64 start, qint16 length) {
    const quint64 value = ReadNumber(head, start, length);
    if (length <= 0 || length >= 8)
        return qint64(value);
    const quint64 signBit = quint64(1) << (8 * length - 1);
    return (value & signBit) ? qint64(value) - qint64(signBit << 1) : qint64(value);
}

clsEXIF::Rational clsEXIF::ReadRational(const HeadReader& head, qint64 start) {
    // 4 bytes numerator, 4 bytes denominator
    return {qint64(ReadNumber(head, start, 4)), qint64(ReadNumber(head, start + 4, 4))};
}

clsEXIF::Rational clsEXIF::ReadSRational(const HeadReader& head, qint64 start) {
    return {ReadSigned(head, start, 4), ReadSigned(head, start + 4, 4)};
}

std::optional<double> clsEXIF::Rational::Quotient() const {
    if (denominator == 0)
        return std::nullopt;
    return double(numerator) / double(denominator);
}

QString clsEXIF::GetTagName(qint32 lID) const {
    QString name;
    AppendTagName(name, lID);
    return name;
}

void clsEXIF::AppendTagName(QString& text, qint32 lID) {
    if (const QString* name = ExifTags::KnownName(lID)) {
        text += *name;
        return;
    }
    text += QLatin1StringView("Tag #");
    ExifNumbers::AppendInteger(text, lID);
}

qint32 clsEXIF::MetaInfo(qint32 l_ID, QString& StringData) {
    m_LastError = {};
    switch (m_Status) {
    case ExifStatus::Parsed:
        for (qsizetype i = 1; i < m_TagList.size(); ++i) {
            const ExifEntry& entry = m_TagList[i];
            if (entry.Tag == l_ID) {
                StringData = DecodeValue(Head(), entry);
                return ExifNumbers::RoundHalfEvenToInt32(entry.Value).value_or(0);
            }
        }
        StringData = QStringLiteral("Tag ") + QString::number(l_ID) + QStringLiteral(" nicht gefunden.");
        return 0;
    case ExifStatus::NoExifMarker:
        ReportError(ExifErrorNumber::NoExifData, QStringLiteral("MetaInfo"),
                    QStringLiteral("Keine EXIF-Daten vorhanden."));
        return 0;
    default:
        ReportError(ExifErrorNumber::ReadFailed, QStringLiteral("MetaInfo"), QStringLiteral("Error."));
        return 0;
    }
}

QString clsEXIF::ListInfo() const {
    switch (m_Status) {
    case ExifStatus::Parsed: {
        const HeadReader head = Head();
        QString list;
        // Room for a typical line per entry, so the list seldom grows while it is written.
        list.reserve(m_TagList.size() * 40);
        for (qsizetype i = 1; i < m_TagList.size(); ++i) {
            AppendTagName(list, m_TagList[i].Tag);
            list += QLatin1StringView(": ");
            AppendValueText(list, head, m_TagList[i]);
            list += QLatin1StringView("\r\n");
        }
        return list;
    }
    case ExifStatus::NoExifMarker:
        return QStringLiteral("Keine EXIF-Daten vorhanden.");
    default:
        return QStringLiteral("Error.");
    }
}

void clsEXIF::ReportError(ExifErrorNumber number, const QString& source, const QString& description) {
    m_LastError = {number, source, description};
}
