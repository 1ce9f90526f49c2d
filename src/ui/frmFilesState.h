#pragma once

#include "ui/FormLayout.h"
#include "ui/frmFiles.h"
#include "batch/FileFactsOf.h"
#include "batch/StatusText.h"
#include "platform/Volumes.h"

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>

class QTimer;
class QWidget;

// What the window keeps for itself alone. It lives here rather than in the window's header, so
// that a change to it rebuilds the window's own files and nothing that merely uses the window.
struct frmFiles::State {
    Places places; // in twips; they reach the widgets with ApplyPlaces
    QHash<QString, QWidget*> widgets;
    QList<Volume> volumes;
    bool lblDirs2Pressed = false;
    bool unloaded = false;
    bool copyingSelection = false; // the name box's selection is going into the rule parameters
    QTimer* batchViewTimer = nullptr;
    FileFactsCache fileFacts;   // for the preview, the batch view and the order by date
    bool batchViewStale = true; // something changed that the batch view has not followed yet
    StatusLine status;
    bool stopAsked = false;       // the user asked the long work under way to stop
    QTimer* placeTimer = nullptr; // the folder's counts follow once a burst of changes is in
    int statusHeight = 0;         // pixels below the content
    // The largest the window may be, in pixels without its frame: the screen's area.
    QSize screenLimit{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    // The size the content is laid out for, less the client area it has (without the status line).
    QSize contentExcess;
    QMetaObject::Connection focusWatch; // keeps the control with the focus in view
    // The extension box shows the letter case the preview gave it.
    bool extensionPreviewed = false;
};
