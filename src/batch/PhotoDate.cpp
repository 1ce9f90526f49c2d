#include "batch/PhotoDate.h"

#include "exif/DateTaken.h"
#include "exif/clsEXIF.h"
#include "platform/FileHead.h"
#include "platform/NativePath.h"
#include "rename/RuleChain.h"

namespace {

std::optional<QDateTime> DateTakenAt(const QByteArray& path) {
    return DateTakenOfHead(ReadFileHead(path, clsEXIF::HeadLength).Bytes);
}

} // namespace

bool IsJpeg(const QString& itemText) {
    const QString extension = GetExtension(itemText).toUpper();
    return extension == QLatin1String("JPEG") || extension == QLatin1String("JPG");
}

std::optional<QDateTime> DateTakenOf(const QByteArray& folder, const FolderEntry& entry) {
    if (!IsJpeg(entry.Text))
        return std::nullopt;
    return DateTakenAt(NativePath::Join(folder, entry.Name));
}

std::optional<QDateTime> PhotoDates::Of(const QByteArray& folder, const FolderEntry& entry) {
    if (!IsJpeg(entry.Text))
        return std::nullopt;
    if (folder != folder_) {
        byName_.clear();
        folder_ = folder;
    }
    const QByteArray path = NativePath::Join(folder, entry.Name);
    const std::optional<FileStamp> stamp = StampOf(path);
    if (!stamp)
        return std::nullopt; // no file to read a date from
    const auto it = byName_.constFind(entry.Name);
    if (it != byName_.cend() && it->Stamp == *stamp)
        return it->Taken;
    const std::optional<QDateTime> taken = DateTakenAt(path);
    byName_.insert(entry.Name, {*stamp, taken});
    return taken;
}
