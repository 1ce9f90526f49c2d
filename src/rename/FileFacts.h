#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

// The fields a name template can hold, besides {Name} and {Ordner}, which every file has.
enum class TagField {
    Datum, // the date taken, in the date rule's format
    Kamera,
    Modell,
    ISO,
    Blende,
    Belichtung,
    Objektiv,
    Titel,
    Interpret,
    Album,
    Albuminterpret,
    Nr, // the track, zero-filled to two digits
    CD,
    Jahr,
    Genre,
};
inline constexpr int TagFieldCount = 15;

// What kind of file the tag rules see: each rule names the files of its own kind.
enum class FactKind {
    Other, // neither: the tag rules leave it alone
    Photo, // a photo or a video: the date rule and the photo template
    Audio, // a song: the audio template
};

// What the rules that read a file learn from it: the kind the extension says, the date taken, and
// the tag fields (empty where the file holds no such tag). Read by the host only for the rules
// that are on.
struct FileFacts {
    FileFacts() = default;
    FileFacts(std::nullopt_t) {}
    // A photo's date alone.
    FileFacts(const std::optional<QDateTime>& taken) : Kind(FactKind::Photo), Taken(taken) {}

    FactKind Kind = FactKind::Other;
    // The camera's wall-clock time, given in UTC so that no daylight-saving gap can move it.
    std::optional<QDateTime> Taken;
    std::array<QString, TagFieldCount> Fields;
    QString Folder; // the name of the file's folder

    QString& Field(TagField f) { return Fields[std::size_t(f)]; }
    const QString& Field(TagField f) const { return Fields[std::size_t(f)]; }
};

// Which facts the rules that are on need; nothing is read for the others.
struct FactsWanted {
    bool Photo = false;     // the date taken: the date rule or the photo template
    bool Audio = false;     // the audio template
    bool PhotoTags = false; // the photo template's other fields

    bool Any() const { return Photo || Audio; }
    bool operator==(const FactsWanted&) const = default;
};
