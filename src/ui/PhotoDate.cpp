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
