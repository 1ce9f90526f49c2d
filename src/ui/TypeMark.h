#pragma once

#include <QColor>
#include <QString>

// The colour mark a file gets by its extension when it is taken up, and whether it is a wave
// file to be played. The extension alone decides; nothing is read from the file.
struct TypeMark {
    QColor Colour;
    bool PlaysWave = false;
};

TypeMark TypeMarkFor(const QString& itemText);

// The strip's colour when no file has been taken up.
QColor NeutralMarkColour();
