#pragma once

#include "ui/ControlArray.h"
#include "ui/FileList.h"
#include "ui/FormLayout.h"
#include "batch/OrderBy.h"
#include "rename/BatchRun.h"
#include "rename/RenameOptions.h"
#include "rename/RenameResult.h"
#include "platform/FolderListing.h"
#include "platform/Presets.h"
#include "platform/RenameJournal.h"
#include "platform/Volumes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <chrono>
#include <optional>

class BatchView;
class FileEnumerator;

class FolderControl;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QStatusBar;
class QTimer;

// The one window of the program. Controls are members under their own names, and each carries
// that name as its objectName; handlers are ordinary member functions named control_Event.
struct FileTagsRead;
class FolderRead;

class frmFiles : public QWidget {
    Q_OBJECT

public:
    // The window, started in startFolder (the file system's bytes); where that folder cannot be
    // read, in the process's current folder.
    explicit frmFiles(const QByteArray& startFolder, QWidget* parent = nullptr);
    ~frmFiles() override;

    // Folder panel.
    QLabel* lblDirs = nullptr;
    QFrame* frmDirs = nullptr;
    QComboBox* drvDrives = nullptr;
    FileList* lstPath = nullptr;
    QPushButton* cmdRoot = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QLabel* lblDirs2 = nullptr;

    // Editor and file lists.
    QLineEdit* txtFileName = nullptr;
    QLabel* lblDot = nullptr;
    QLineEdit* txtExtension = nullptr;
    FileList* lstSel = nullptr;
    FileList* lstSort = nullptr;
    QPushButton* cmdRef = nullptr;

    // Options panel. chkDateRule shows at its foot, in the status line, ticked, while the tag frame's
    // date rule is on.
    QFrame* frmOptions = nullptr;
    QCheckBox* chkDateRule = nullptr;
    ControlArray<QCheckBox, 11> chkOptions{};
    QLineEdit* txtRep = nullptr;
    QFrame* Frame1 = nullptr;
    QFrame* Frame2 = nullptr;
    QFrame* Frame3 = nullptr;
    ControlArray<QRadioButton, 3> optGK{};
    QLineEdit* txtFirst = nullptr;
    QLineEdit* txtLast = nullptr;
    QLineEdit* txtDelete = nullptr;
    QLineEdit* txtFind = nullptr;
    QLineEdit* txtReplace = nullptr;
    QLineEdit* txtString = nullptr;
    ControlArray<QRadioButton, 2> optPos{};
    QLineEdit* txtCnt = nullptr;
    QLabel* lblCnt = nullptr;
    QLineEdit* txtCount = nullptr;
    ControlArray<QRadioButton, 2> optPos2{};
    QLabel* lblTrenn = nullptr;
    QLineEdit* txtTrenn = nullptr;
    QLineEdit* txtNewName = nullptr;
    QLineEdit* txtList = nullptr;
    QPushButton* cmdBatch = nullptr;
    QCheckBox* chkRegex = nullptr;     // the find texts of rules 5 and 6 are regular expressions
    QLabel* lblExtCase = nullptr;      // "Endung:"
    QComboBox* cboExtCase = nullptr;   // the extension's letters: as they are, lower or upper case
    QPushButton* cmdPresets = nullptr; // opens mnuPresets

    // Tag frames, strips on the right edge, and what lies outside the visible area.
    QFrame* frmEXIF = nullptr;
    QFrame* frmID3 = nullptr;
    // In frmEXIF: the camera summary of a JPEG (side 1 of the label arrays; element 0 is never
    // built), the reader's full list, and the date rule.
    ControlArray<QLabel, 2> lblCam{};
    ControlArray<QLabel, 2> lblBlende{};
    ControlArray<QLabel, 2> lblExp{};
    ControlArray<QLabel, 2> lblTimeDate{};
    ControlArray<QLabel, 2> lblISO{};
    QCheckBox* chkFreeze = nullptr;
    QLabel* lblEXIFTime = nullptr;
    QLabel* lblEXIFList = nullptr;
    QPlainTextEdit* txtEXIF = nullptr;
    QCheckBox* chkDateTaken = nullptr;
    QLabel* lblDateFormat = nullptr;
    QLineEdit* txtDateFormat = nullptr;
    QCheckBox* chkPhotoTags = nullptr; // "Name aus Tags" for photos and videos
    QLineEdit* txtPhotoTemplate = nullptr;
    // In frmID3: an MP3's title, artist, album, year, track, genre and length, each a caption and
    // a value.
    ControlArray<QLabel, 7> lblID3Name{};
    ControlArray<QLabel, 7> lblID3{};
    QCheckBox* chkAudioTags = nullptr; // "Name aus Tags" for songs
    QLineEdit* txtAudioTemplate = nullptr;
    ControlArray<QLabel, 2> lblOptions{};
    QPushButton* cmdDummy = nullptr;
    QFrame* frmPaths = nullptr;
    FolderControl* dirDirs = nullptr;
    FileEnumerator* filFiles = nullptr;

    // Popup menu of the file lists.
    QMenu* mnuPop = nullptr;
    QAction* mnuSelect = nullptr;
    QAction* mnuMove = nullptr;
    QAction* mnuBatchView = nullptr; // "Alle neuen Namen", also on F9
    QAction* mnuUndo = nullptr;      // "Letzte Umbenennung rückgängig", also on Ctrl+Z
    QAction* mnuRun = nullptr;       // the batch button's run, also on Ctrl+Return
    QAction* mnuRefresh = nullptr;   // "Quelle neu einlesen", also on F5
    QAction* mnuTags = nullptr;      // the tag frame of the file taken up, or the options; Ctrl+I

    // Below the content: the status line. Where the window is smaller than its content, the
    // content scrolls.
    QStatusBar* sbrStatus = nullptr;
    QLabel* lblStatus = nullptr;
    QLabel* lblStop = nullptr;  // "Abbrechen", at the line's right end while long work can be stopped
    QAction* mnuStop = nullptr; // the same on Esc, enabled only then
    QScrollBar* hsbContent = nullptr;
    QScrollBar* vsbContent = nullptr;
    // "Sortieren nach", in order mode: Name, Aufnahmedatum, Änderungsdatum, Größe, Umkehren.
    QMenu* mnuOrderBy = nullptr;
    std::array<QAction*, 5> mnuOrder{};

    // The saved rule sets, on cmdPresets and as the options panel's popup menu: "Als Vorlage
    // speichern …", one item per set, and "Vorlage löschen" with one item per set.
    QMenu* mnuPresets = nullptr;
    QAction* mnuPresetSave = nullptr;
    QMenu* mnuPresetDelete = nullptr;
    PresetFile Presets; // the settings file the sets are kept in

    // The batch view: every new name before a run, each outcome after it.
    BatchView* frmBatchView = nullptr;

    // Window state.
    bool DirsHidden = false;
    bool OptionsHidden = false;
    bool TagsFlag = false;
    bool NameMouseDown = false;
    QString CurrentFolder; // folder of the current file with a trailing separator; empty when none
    QString CurrentFile;   // CurrentFolder + the list item of the current file
    // How often a batch run lets the window's events run.
    std::chrono::milliseconds BatchTurnInterval = DefaultTurnInterval;
    int DragIndex = -1; // the lstSort entry last seen under the mouse in order mode
    // The file behind CurrentFile as the file system spells it: its folder and its entry. Names
    // need not be valid UTF-8; every file operation goes by these bytes, never by the text.
    QByteArray CurrentFolderNative;
    FolderEntry CurrentEntry;
    QByteArray CurrentFileNative() const;

    // Load and unload.
    void Form_Load();
    void Form_Unload();

    // Layout and strips.
    void Form_Resize();
    void lblOptions_MouseDown(int index);
    void lblOptions_DblClick(int index);
    // Fills the tag frame that is shown with the tags of the file taken up, when it is of the
    // frame's kind: a JPEG's EXIF summary and list, an MP3's ID3 tags. Each fill reads the file once.
    void ShowFileTags();
    TwipRect Place(const QString& name) const;
    // The outer size the layout pass lays out, in twips: the window's frame included, the status
    // line below the content left out; where the window is smaller than the content's minimum,
    // that minimum (the content then scrolls).
    double OuterWidth() const;
    double OuterHeight() const;
    // Makes the window fit the screen area given (the screen less its panels): it is made smaller
    // where it is larger, and may be made as small as that area, its content scrolling then.
    void FitToScreen(const QRect& available);

    // Folder navigation.
    bool setDirPath(const QByteArray& path); // dirDirs.Path := path; refills on a change
    void dirDirs_Change();                   // the one refill of the lists
    // Reads the current folder again and refills; false (nothing changed) when it cannot be read.
    bool RereadFolder();
    void drvDrives_Change();
    void lstPath_DblClick();
    void cmdBack_Click();
    void cmdRoot_Click();
    void cmdRefresh_Click();
    void cmdRef_Click();
    void lblDirs_MouseDown();
    void lblDirs_DblClick();
    void lblDirs2_Click();

    // Options panel and the live preview.
    RenameOptions ReadOptions() const;        // the panel as it stands now
    void chkOptions_Click(int index);         // the one preview refresh; index unused
    void ParameterBox_Change(QLineEdit* box); // the change handling of the parameter boxes
    void NumberField_KeyPress(qint16& key);   // txtFirst, txtLast, txtCnt, txtCount
    void optGK_Click(int index);
    void optPos_Click(int index);
    void optPos2_Click(int index);
    void chkDateRule_Click(); // unticks the date rule

    // Saved rule sets.
    void cmdPresets_Click();
    void mnuPresets_Show();     // the menu filled with the sets the file holds now
    void mnuPresetSave_Click(); // asks for a name and saves the panel under it
    // Saves the panel as the set typed names; a name that cannot be one is refused and a set of
    // that name is replaced only when the user agrees. False when nothing was saved.
    bool SavePresetAs(const QString& typed);
    void mnuPreset_Click(const QString& name); // the panel set as the set holds it
    void mnuPresetDelete_Click(const QString& name);

    // File lists, list mode, type marks and drops.
    bool OrderMode() const;           // mnuMove checked
    void MakeCurrent(FileList* list); // the file of the list's current entry taken up
    void lstSel_MouseDown(Qt::MouseButton button, QPoint globalPosition);
    void lstSort_MouseDown(Qt::MouseButton button, QPoint globalPosition);
    void lstSort_MouseMove(Qt::MouseButtons buttons);
    void lstSort_MouseUp();
    void lstSort_KeyUp();
    void mnuSelect_Click();
    void mnuMove_Click();
    // Puts lstSort in an order, as if the user had dragged its files into it.
    void mnuOrder_Click(OrderKey key);
    void DropFiles(const QList<QByteArray>& paths); // a drop on lstPath, lstSel or lstSort
    void GoToFile(const QByteArray& path);

    // A path given from outside (start argument, second start, drop): an existing folder is
    // opened, an existing file is taken up as a dropped file is; anything else is ignored.
    void OpenPath(const QByteArray& nativePath);
    // A second start of the program: the window comes to the front and opens its path, if any.
    void OpenFromSecondStart(const QByteArray& nativePath);

    // Batch run and the file name editor.
    void cmdBatch_Click();
    void txtFileName_KeyPress(qint16& key);
    void txtExtension_KeyPress(qint16& key);
    void txtFileName_MouseDown();
    void txtFileName_MouseMove();
    void txtFileName_MouseUp();
    // The batch view and undo.
    void mnuBatchView_Click(); // opens the batch view, or brings it to the front
    void mnuUndo_Click();      // takes back the newest batch run or editor rename
    void mnuTags_Click();      // the tag frame of the file taken up, and on the next press the options
    void UpdateBatchView();    // the forecast of a run as the lists and the panel stand now
    // True while the batch view waits for the facts of its files, or an order for the dates.
    bool BatchViewReading() const;
    bool OrderReading() const;

    // True while a batch run or a rename from the editor goes on: folder changes, drops and a
    // second run or rename are then ignored.
    bool Busy() const { return busy_; }

    // Long work shows how far it is on the status line ("Umbenennen: 4.000 von 20.000", see
    // ProgressText), before anything else, until it ends. Work that can be stopped shows
    // "Abbrechen" beside it, and takes Esc; it asks StopAsked() between its steps.
    void ShowProgress(const QString& text, bool stoppable = false);
    void EndProgress();
    bool StopAsked() const;
    void AskStop();
    // One turn of the event loop for long work begun at begun: once it has lasted, the status line
    // shows how far it is (progress), with "Abbrechen" where it can be stopped.
    void TakeWorkTurn(const QString& progress, std::chrono::steady_clock::time_point begun,
                      bool stoppable = true);

signals:
    // After every refill of the lists, for the handlers that follow the current folder.
    void refilled();
    // While the window unloads, for whoever keeps the settings.
    void unloading();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Reads a folder on a thread of its own, answering meanwhile; nothing when the user stopped it.
    std::optional<FolderListing> ReadListing(const QByteArray& path, bool stoppable);
    std::optional<FolderListing> WaitForListing(FolderRead& read, bool stoppable);
    void GoToStartFolder();

    void BuildControls();
    void ConnectHandlers();
    // Places are set in twips and reach the widgets with ApplyPlaces.
    void SetLeft(const QString& name, double twips);
    void SetTop(const QString& name, double twips);
    void ApplyPlaces();
    void ConnectListHandlers();
    void ConnectOptionHandlers();
    void ConnectEditorHandlers();
    void ConnectTagHandlers();
    void TakeTagsRead();
    void ShowTags(FileTagsRead& read);
    void BuildBatchView();
    void ConnectBatchViewHandlers();
    void BuildPresetMenu();
    void ConnectPresetHandlers();
    void ShowPatternFaults(const RenameOptions& options); // the find boxes and the name box say why
    void ConnectFolderKeys();
    void BuildStatusLine();
    void BuildMenuKeys();
    void ConnectMenuKeys();
    void ShowStatusMessage(const QString& text); // what happened, or why nothing did
    void ShowPlace();                            // the folder and its counts, once events settle
    void UpdateStatusLine();
    void PlaceContent(); // the content's size and scroll bars for the window's size
    void ScrollToShow(QWidget* w);
    void ShowDateRule(bool on);
    void NameTagValues(); // screen readers read the tag frames' values with their captions
    void GoToParent();
    void BatchViewChanged(); // a change the forecast follows: updated at the next turn of the event loop
    // Whether the facts the forecast reads are in; if not, they are asked of the readers.
    bool ForecastFactsIn(const FileList& list, const RowMarks& selected, const QByteArray& folder,
                         FactsWanted wanted);
    void TakeForecastReads(); // what the readers are done with; the forecast once all are in
    void EndForecastRead();   // the forecast with what is in; the files still out are not read
    bool StopForecastRead();  // Esc while the forecast waits: the readers stop; false: none waits
    void CancelForecastRead();
    // A medium that does not answer holds up a forecast or an order this long after the last file
    // came in; the files not in by then count as not read.
    static constexpr qint64 ReadPatienceMs = 2000;
    static constexpr qint64 PreviewWaitMs = 100; // the preview waits this long for its facts
    void TakeOrderReads();                       // the dates an order waits for; the order once all are in
    // The facts of the file in hand the preview wants; nothing while they are still out (the
    // preview follows when they come in).
    std::optional<FileFacts> PreviewFacts(const FolderEntry& entry, FactsWanted wanted);
    void TakePreviewRead();
    void OrderRows(OrderKey key, const DateOfEntry& dateTaken);
    void ShowUndoState(); // the undo menu item: whether it would do anything, and why not
    void ShowBatchOutcome(const BatchResult& result, const JournalWrite& journal);
    bool OptionsEvent(QObject* watched, QEvent* event); // true: the event is swallowed
    bool EditorEvent(QObject* watched, QEvent* event);  // true: the event is swallowed
    void SetTypeMark(const QString& itemText);
    // The rename Enter in the editor makes, and what the user should know of its journal.
    struct EditorRename {
        RenameResult Result;
        QString Note; // empty when the rename is journalled or changed no name
    };
    EditorRename RenameCurrentFile(const QString& target);
    void ShowListMode(bool orderMode); // checks the menu item and shows the list of the mode
    void FillDriveList();
    void ShowDriveOf(const QString& path);

    struct State;
    std::unique_ptr<State> state_;
    bool busy_ = false;
};
