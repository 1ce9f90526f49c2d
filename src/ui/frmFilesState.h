#pragma once

#include "ui/FormLayout.h"
#include "ui/frmFiles.h"
#include "batch/FactsReaders.h"
#include "batch/FileFactsOf.h"
#include "batch/StatusText.h"
#include "platform/Volumes.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSet>
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
    // The facts the forecast needs, read on the readers before it is shown.
    struct ForecastRead {
        QByteArray Folder;
        FactsWanted Wanted;
        QList<QByteArray> Names;                        // asked for, in the list's order
        QSet<QByteArray> Waiting;                       // not in yet
        QHash<QByteArray, std::optional<FileFacts>> In; // nothing where there was no file
        QElapsedTimer Started;
        QElapsedTimer Quiet; // since the last file came in
        bool Pending = false;
        bool Ready = false;   // in, or given up on: the next forecast takes it
        qsizetype Shown = -1; // the count the batch view says is in
    };
    FactsReaders readers;
    ForecastRead forecastRead;
    QTimer* readTimer = nullptr; // takes in what the readers are done with while a read is pending
    StatusLine status;
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
