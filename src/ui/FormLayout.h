#pragma once

#include "ui/Twips.h"

#include <QHash>
#include <QString>

// The places of the window's controls by name, in twips.
using Places = QHash<QString, TwipRect>;

// The places of the control table, as laid out before the first resize.
Places DesignPlaces();

// The layout pass: moves and stretches the controls that follow the window's outer size W x H
// (twips) and the state of the two slide-in panels. A width or height that would be negative is
// not assigned; the control keeps its previous value.
void LayoutPass(Places& places, double W, double H, bool dirsHidden, bool optionsHidden);
