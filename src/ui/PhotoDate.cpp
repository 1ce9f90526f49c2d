#include "ui/PhotoDate.h"

#include "ui/TypeMark.h"
#include "exif/DateTaken.h"
#include "exif/clsEXIF.h"
#include "platform/FileHead.h"
#include "platform/NativePath.h"

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
