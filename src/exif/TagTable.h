#pragma once

#include <QString>
#include <QtGlobal>

// The tags the reader knows by name.
namespace ExifTags {

// The name of tag `number`, null when the table does not know the tag.
const QString* KnownName(qint32 number);

} // namespace ExifTags
