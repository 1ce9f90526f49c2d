#pragma once

#include "exif/ExifEntry.h"
#include "exif/ExifError.h"
#include "exif/ExifStatus.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QVariant>

#include <array>
#include <optional>

class HeadReader;
class QObject;

// Reads the EXIF block in the first 4096 bytes of an image file: the entries of IFD0 and of the
// EXIF sub-directory it points to. Assigning ImageFile reads the file; the queries answer from the
// last read. An entry's name and text are made only when a query asks for them: most callers look
// at a handful of entries, and a maker note alone can hold thousands of bytes. Never writes a file,
// never shows a message.
class clsEXIF {
public:
    // The reader never looks further into a file than this.
    static constexpr qint64 HeadLength = 4096;

    clsEXIF();

    QString ImageFile() const { return m_ImageFile; }
    // Stores the text form of the value as the path and reads the EXIF block from `head`: the first
    // HeadLength bytes of that file (fewer when it is shorter), as the caller read them. The reader
    // opens no file itself; callers read the head through the platform layer, which never waits on
    // a pipe and takes the name's own bytes. An empty head is a file that could not be read: status
    // NotReadable, and the error's description is `refusal`, the system's reason, or "Datei nicht
    // gefunden." without one. Never fails towards the caller: the outcome is in Status(), an error
    // in LastError().
    void setImageFile(const QVariant& vNewValue, QByteArrayView head, const QString& refusal = {});

    // True when the TIFF block last parsed is little-endian ("II").
    bool IntelByteAlignment() const { return m_IntelByteAlignment; }

    // The text (into StringData) and the rounded number of the first entry with tag l_ID.
    qint32 MetaInfo(qint32 l_ID, QString& StringData);
    QString GetTagName(qint32 lID) const;
    // Every entry as "Name: Text" and CR LF.
    QString ListInfo() const;
    // Writes the camera summary of the file last read into side iSide of the panel's labels.
    void ListEXIF(QObject* iFrm, qint16 iSide) const;
    // Writes the date taken of the file last read into lblTimeDate(2) alone.
    void ListEXIF2(QObject* iFrm) const;

    ExifStatus Status() const { return m_Status; }
    // Slot 0 is a placeholder; 1..n are IFD0's entries, then the EXIF sub-directory's.
    const QList<ExifEntry>& TagList() const { return m_TagList; }
    // The display text of TagList()[index], decoded now from the file head the list was read from;
    // empty for the placeholder and for an index outside the list.
    QString EntryText(qsizetype index) const;
    // The error of the last setImageFile or MetaInfo call; Number None when it reported none.
    const ExifError& LastError() const { return m_LastError; }
    // Reads `head` as setImageFile does (only its first HeadLength bytes count), leaving ImageFile
    // alone. For data that is not in a file.
    void ReadHead(QByteArrayView head);
    // Reads the TIFF block that starts at the first byte of `tiff` (the head of a TIFF file or a
    // camera's raw file, or the EXIF block a container holds), as far as its bytes reach, at most
    // TiffHeadLength of them; no marker is looked for. Leaves ImageFile alone. Fewer than the 8
    // bytes of a TIFF header read as a head without a marker.
    void ReadTiff(QByteArrayView tiff);
    static constexpr qint64 TiffHeadLength = 256 * 1024;

    static constexpr std::array<qint32, 13> TypeSizes{0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};

private:
    struct Rational {
        qint64 numerator = 0;
        qint64 denominator = 0;
        // numerator / denominator; missing when the denominator is 0.
        std::optional<double> Quotient() const;
    };

    ExifStatus ReadMetaInfo(QByteArrayView head, const QString& refusal);
    ExifStatus ParseTiff(QByteArrayView head, qint64 tiffStart);
    qint32 ReadIFD(const HeadReader& head, qint64 ifdOffset, qint32 searchedTag);
    // The Value of a rational entry: the quotient of its first rational, unless it is a list or
    // has no quotient; then the raw field it holds.
    double RationalValue(const HeadReader& head, const ExifEntry& entry) const;
    HeadReader Head() const;
    HeadReader ValueBytes(const HeadReader& head, const ExifEntry& entry) const;
    QString DecodeValue(const HeadReader& head, const ExifEntry& entry) const;
    // DecodeValue appending to `text`, so a whole list is written without a text per entry.
    void AppendValueText(QString& text, const HeadReader& head, const ExifEntry& entry) const;
    void AppendRationalText(QString& text, const HeadReader& value, const ExifEntry& entry) const;
    static quint64 ReadNumber(const HeadReader& head, qint64 start, qint16 length);
    static qint64 ReadSigned(const HeadReader& head, qint64 start, qint16 length);
    static Rational ReadRational(const HeadReader& head, qint64 start);
    static Rational ReadSRational(const HeadReader& head, qint64 start);
    // Appends the name GetTagName gives.
    static void AppendTagName(QString& text, qint32 lID);
    void ReportError(ExifErrorNumber number, const QString& source, const QString& description);

    QString m_ImageFile;
    ExifStatus m_Status = ExifStatus::Parsed;
    bool m_IntelByteAlignment = false;
    QList<ExifEntry> m_TagList;
    ExifError m_LastError;
    // What the entries of m_TagList are decoded from, all replaced together by a read that finds
    // the marker: the file head, where its TIFF header starts, and the locale's decimal separator at
    // the time of that read.
    QByteArray m_Head;
    qint64 m_TiffStart = 0;
    QString m_DecimalPoint;
};
