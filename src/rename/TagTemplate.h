#pragma once

#include "rename/FileFacts.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

// A name template: text with fields in braces, "{Nr} - {Titel}". {Name} stands for what the other
// rules made of the name, {Ordner} for the folder's name, every other field for the file's tag
// (FileFacts.h). Braces that name no field stay as they are written.

// A date taken as the date rule and {Datum} write it, in format (QDateTime's letters) and the
// user's locale. The format is read only as far as the date could still fit in a name.
QString DateTakenText(const QDateTime& taken, QStringView format);

// The field as a template writes it, without its braces: "Titel".
QString TagFieldName(TagField field);

struct TemplateText {
    QString Text;
    QString Missing; // the first field the template uses and the file lacks; empty when none
};

// The template filled in for one file; {Datum} in dateFormat (QDateTime's letters).
TemplateText ExpandTemplate(const QString& pattern, const FileFacts& facts, const QString& name,
                            const QString& dateFormat);

// A tag's text as a name can hold it: "/" and NUL become "-", control characters go, and the
// blanks at its ends.
QString NameSafe(const QString& tag);
