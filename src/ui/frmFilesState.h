#pragma once

#include "ui/FormLayout.h"
#include "ui/frmFiles.h"
#include "batch/FactsReaders.h"
#include "batch/FileFactsOf.h"
#include "batch/StatusText.h"
#include "exif/clsEXIF.h"
#include "platform/DetachedWork.h"
#include "platform/FolderRead.h"
#include "tags/AudioTags.h"
#include "platform/Volumes.h"

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class QTimer;
class QWidget;

// The tags the tag frames show of a file, read on a thread of their own.
struct FileTagsRead {
    std::optional<clsEXIF> Exif;
    std::optional<AudioTags> Audio;
};

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
        FactsWanted Wanted;
        QList<QByteArray> Names; // asked for, in the list's order
        FactsRequest Request;
        bool Pending = false;
        bool Ready = false;   // in, or given up on: the next forecast takes it
        qsizetype Shown = -1; // the count the batch view says is in
    };
    FactsReaders readers;
    ForecastRead forecastRead;
    // The dates "Sortieren nach Aufnahmedatum" orders by, read on readers of its own; the order
    // follows when they are in, if the order list is still as it was.
    struct OrderRead {
        QList<QByteArray> Names; // the order list when it was asked for
        FactsRequest Request;
        bool Pending = false;
    };
    FactsReaders orderReaders;
    OrderRead orderRead;
    QTimer* orderTimer = nullptr;
    // The facts of the file in hand for the preview, read on a reader of their own: the preview
    // follows when they are in, and goes on without them where the medium does not answer.
    struct PreviewRead {
        QByteArray Folder;
        QByteArray Name;
        FactsWanted Wanted;
        FactsRequest Request;
        bool Pending = false;
        bool GaveUp = false;            // it did not answer in time: the preview goes on without
        std::optional<FileFacts> Facts; // in, for the preview that follows
        QString Shown;                  // the name the preview showed while they were out
    };
    FactsReaders previewReaders{2};
    PreviewRead previewRead;
    QTimer* previewTimer = nullptr;
    // The start folder's read, where it took longer than the window waits before it shows itself.
    std::unique_ptr<FolderRead> startRead;
    QByteArray startFolder;
    DetachedWork<FileTagsRead> tagsRead; // of the file in hand, for the tag frames

    QTimer* tagsTimer = nullptr;
    QTimer* readTimer = nullptr; // takes in what the readers are done with while a read is pending
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
