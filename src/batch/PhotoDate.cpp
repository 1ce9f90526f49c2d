#include "batch/PhotoDate.h"

#include "exif/DateTaken.h"
#include "exif/clsEXIF.h"
#include "platform/FileHead.h"
#include "platform/NativePath.h"
#include "rename/RuleChain.h"

bool IsJpeg(const QString& itemText) {
    const QString extension = GetExtension(itemText).toUpper();
    return extension == QLatin1String("JPEG") || extension == QLatin1String("JPG");
}

std::optional<QDateTime> DateTakenOf(const QByteArray& folder, const FolderEntry& entry) {
    if (!IsJpeg(entry.Text))
        return std::nullopt;
    return DateTakenOfHead(ReadFileHead(NativePath::Join(folder, entry.Name), clsEXIF::HeadLength).Bytes);
}

std::optional<QDateTime> PhotoDates::Of(const QByteArray& folder, const FolderEntry& entry) {
    if (folder != folder_) {
        byName_.clear();
        folder_ = folder;
    }
    const auto it = byName_.constFind(entry.Name);
    if (it != byName_.cend() && it->Inode == entry.Inode)
        return it->Taken;
    const std::optional<QDateTime> taken = DateTakenOf(folder, entry);
    byName_.insert(entry.Name, {entry.Inode, taken});
    return taken;
}
