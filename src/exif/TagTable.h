#pragma once

#include <QString>
#include <QtGlobal>

// The tags the reader knows by name, in their table order.
namespace ExifTags {

inline constexpr int TagCount = 54;

// The tag name at table index `index` (0 to TagCount - 1).
const QString& TagName(int index);

// The table index of tag `number`, -1 when it is not in the table.
int IndexOf(qint32 number);

} // namespace ExifTags
