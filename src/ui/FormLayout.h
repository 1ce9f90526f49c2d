#pragma once

#include "ui/Twips.h"

#include <QHash>
#include <QSize>
#include <QString>

// The places of the window's controls by name, in twips.
using Places = QHash<QString, TwipRect>;

// The places of the control table, as laid out before the first resize.
Places DesignPlaces();

// The layout pass: moves and stretches the controls that follow the window's outer size W x H
// (twips) and the state of the two slide-in panels. A width or height that would be negative is
// not assigned; the control keeps its previous value.
void LayoutPass(Places& places, double W, double H, bool dirsHidden, bool optionsHidden);

// The smallest content, in pixels, at which the file list (at a width still usable), the options
// panel and its button all show: the folder panel takes its share when it is shown.
QSize ContentMinimum(const Places& places, bool dirsHidden);

// The content of a window whose client area (without the status line) is client: laid out at
// least at its minimum size; where that does not fit, scroll bars of the given breadth take their
// room from the client area and the content scrolls behind the rest.
struct ContentView {
    QSize content; // what the controls are laid out for
    QSize view;    // what shows of it
    bool hBar = false;
    bool vBar = false;
};
ContentView FitContent(QSize client, QSize minimum, int barBreadth);
