#include "ui/TypeMark.h"

#include "rename/RuleChain.h"

QColor NeutralMarkColour() {
    return QColor(128, 128, 128);
}

TypeMark TypeMarkFor(const QString& itemText) {
    const QString extension = GetExtension(itemText).toUpper();
    if (extension == QLatin1String("JPEG") || extension == QLatin1String("JPG")) {
        return {QColor(255, 192, 192), false};
    }
    if (extension == QLatin1String("PNG")) {
        return {QColor(255, 224, 192), false};
    }
    if (extension == QLatin1String("MP3")) {
        return {QColor(192, 192, 255), false};
    }
    return {NeutralMarkColour(), extension == QLatin1String("WAV")};
}
