#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/CenterForm.h"
#include "ui/ControlTable.h"
#include "ui/FileList.h"
#include "ui/FocusSink.h"
#include "ui/FolderControls.h"
#include "ui/TypingLimit.h"
#include "platform/NativePath.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

namespace {

// The window waits this long for its start folder before it shows itself without it.
constexpr std::chrono::milliseconds kStartWait{300};

QWidget* CreateControl(ControlKind kind, QWidget* parent) {
    switch (kind) {
    case ControlKind::Frame: {
        auto* f = new QFrame(parent);
        f->setFrameShape(QFrame::NoFrame);
        return f;
    }
    case ControlKind::Label:
    case ControlKind::Strip:
        return new QLabel(parent);
    case ControlKind::TextBox:
        return new QLineEdit(parent);
    case ControlKind::TextView: {
        auto* view = new QPlainTextEdit(parent);
        view->setReadOnly(true);
        return view;
    }
    case ControlKind::ListSingle:
    case ControlKind::ListExtended: {
        auto* l = new FileList(parent);
        l->setSelectionMode(kind == ControlKind::ListExtended ? QAbstractItemView::ExtendedSelection
                                                              : QAbstractItemView::SingleSelection);
        return l;
    }
    case ControlKind::Button:
        return new QPushButton(parent);
    case ControlKind::CheckBox:
        return new QCheckBox(parent);
    case ControlKind::OptionButton:
        return new QRadioButton(parent);
    case ControlKind::DriveList:
    case ControlKind::ChoiceList:
        return new QComboBox(parent);
    case ControlKind::FolderControl:
        return new FolderControl(parent);
    case ControlKind::FileEnumerator:
        return new FileEnumerator(parent);
    }
    return nullptr;
}

// The text colour that goes with a row's colours: where the row sets a background alone, one that
// reads on it; where it sets a text colour alone, that colour as long as it reads on the
// palette's own background (the design's black does not on a dark desktop).
QRgb PairedTextColour(const QWidget* w, const ControlSpec& c) {
    if (c.back == 0 && c.fore != 0) {
        const QRgb under = w->palette().color(QPalette::Window).rgb();
        return Contrast(c.fore, under) >= 3 ? c.fore : TextColourOn(under);
    }
    return c.fore != 0 ? c.fore : TextColourOn(c.back);
}

// Disabled text on a background of the design: faint as the style draws it on its own light
// colours, whatever the desktop's theme.
QColor DisabledTextOn(const QWidget* w, QRgb back) {
    if (TextColourOn(back) == Colour(0, 0, 0))
        return w->style()->standardPalette().color(QPalette::Disabled, QPalette::WindowText);
    return QColor::fromRgb(back).darker(150);
}

// Background and text colours go to the palette roles that the kind of control paints with.
void SetColours(QWidget* w, const ControlSpec& c) {
    if (c.back == 0 && c.fore == 0)
        return;
    QPalette pal = w->palette();
    const QRgb fore = PairedTextColour(w, c);
    const bool designedFore = fore == c.fore;
    const auto set = [&](QRgb colour, std::initializer_list<QPalette::ColorRole> roles) {
        if (colour == 0)
            return;
        for (QPalette::ColorRole role : roles) {
            pal.setColor(role, QColor::fromRgb(colour));
            if (colour == fore && !designedFore && c.back != 0)
                pal.setColor(QPalette::Disabled, role, DisabledTextOn(w, c.back));
        }
    };
    switch (c.kind) {
    case ControlKind::TextBox:
    case ControlKind::ListSingle:
    case ControlKind::ListExtended:
        set(c.back, {QPalette::Base});
        set(fore, {QPalette::Text});
        break;
    case ControlKind::Button:
        set(c.back, {QPalette::Button});
        set(fore, {QPalette::ButtonText});
        break;
    case ControlKind::DriveList:
        set(c.back, {QPalette::Base, QPalette::Button, QPalette::Window});
        set(fore, {QPalette::Text, QPalette::ButtonText, QPalette::WindowText});
        break;
    default:
        set(c.back, {QPalette::Window});
        set(fore, {QPalette::WindowText});
        w->setAutoFillBackground(c.back != 0);
        break;
    }
    w->setPalette(pal);
}

void SetText(QWidget* w, const ControlSpec& c) {
    const QString text = QString::fromUtf8(c.text);
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(text);
    else if (c.kind == ControlKind::ChoiceList)
        qobject_cast<QComboBox*>(w)->addItems(text.split(u'|'));
}

QString AccessibleNameOf(const ControlSpec& c) {
    if (c.accessibleName != nullptr)
        return QString::fromUtf8(c.accessibleName);
    if (*c.tooltip != '\0')
        return QString::fromUtf8(c.tooltip); // says what a symbol or a strip does
    switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        return QString::fromUtf8(c.text).simplified(); // blanks left for a box inside are closed up
    default:
        return QString(); // a text box's text is its content, a frame's caption is not shown
    }
}

QIcon ReloadIcon(const QWidget* w) {
    return QIcon::fromTheme(QStringLiteral("view-refresh"),
                            w->style()->standardIcon(QStyle::SP_BrowserReload));
}

void StyleControl(QWidget* w, const ControlSpec& c) {
    using namespace ControlFlag;
    w->setObjectName(QString::fromLatin1(c.name));
    SetText(w, c);
    w->setAccessibleName(AccessibleNameOf(c));
    if (*c.tooltip != '\0')
        w->setToolTip(QString::fromUtf8(c.tooltip));
    if (c.font.family != nullptr) {
        QFont font(QString::fromLatin1(c.font.family));
        font.setPointSizeF(c.font.points);
        font.setBold(c.font.bold);
        w->setFont(font);
    }
    SetColours(w, c);
    if (c.maxLength > 0)
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setValidator(new TypingLimit(c.maxLength, edit));
    if (c.flags & RefreshIcon) {
        auto* button = qobject_cast<QPushButton*>(w);
        button->setText(QString());
        button->setIcon(ReloadIcon(w));
    }
    if (c.flags & Checked)
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->setChecked(true);
    if (c.flags & SizeWECursor)
        w->setCursor(Qt::SizeHorCursor);
    if (c.flags & AcceptsDrops) {
        w->setAcceptDrops(true);
        if (auto* list = qobject_cast<QAbstractItemView*>(w))
            list->viewport()->setAcceptDrops(true); // drops reach a list through its viewport
    }
    if (c.flags & ParksFocus)
        new FocusSink(w);
    if (c.flags & Disabled)
        w->setEnabled(false);
    if (c.flags & Hidden)
        w->setVisible(false);
}

} // namespace

frmFiles::frmFiles(const QByteArray& startFolder, QWidget* parent)
    : QWidget(parent), state_(std::make_unique<State>()) {
    setObjectName(QStringLiteral("frmFiles"));
    setWindowTitle(QStringLiteral("Brimwick Varnello"));
    // The window carries the program's icon; a stock one where the program set none.
    if (QApplication::windowIcon().isNull())
        setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    BuildControls();
    // The status line adds its height below the designed content.
    resize(TwipsToPixels(kDesignClientWidth), TwipsToPixels(kDesignClientHeight) + state_->statusHeight);
    FillDriveList();
    // A start folder that cannot be read leaves the window in the process's current folder. One that
    // takes long to read (a share far away) is read on while the window shows itself there.
    const QByteArray start = NativePath::Normal(startFolder);
    bool started = false;
    if (!start.isEmpty()) {
        auto read = std::make_unique<FolderRead>(start);
        if (read->WaitFor(kStartWait)) {
            started = dirDirs->Adopt(start, read->Take());
        } else {
            state_->startRead = std::move(read);
            state_->startFolder = start;
        }
    }
    if (started || dirDirs->setPath(NativePath::Normal(QByteArrayLiteral("."))))
        ShowDriveOf(dirDirs->Path());
    ConnectHandlers();
    Form_Load();
    if (state_->startRead)
        QTimer::singleShot(0, this, [this] { GoToStartFolder(); });
}

frmFiles::~frmFiles() {
    // The controls going away move the focus; by then there is no window to scroll.
    disconnect(state_->focusWatch);
}

TwipRect frmFiles::Place(const QString& name) const {
    return state_->places.value(name);
}

QByteArray frmFiles::CurrentFileNative() const {
    return NativePath::Join(CurrentFolderNative, CurrentEntry.Name);
}

void frmFiles::BuildControls() {
    for (const ControlSpec& c : ControlTable()) {
        QWidget* parent =
            c.container != nullptr ? state_->widgets.value(QString::fromLatin1(c.container)) : this;
        QWidget* w = CreateControl(c.kind, parent);
        StyleControl(w, c);
        c.bind(*this, w);
        if (c.kind == ControlKind::Strip)
            w->installEventFilter(this);
        state_->widgets.insert(w->objectName(), w);
    }
    state_->places = DesignPlaces();
    ApplyPlaces();

    mnuPop = new QMenu(QStringLiteral("Popup"), this);
    mnuPop->setObjectName(QStringLiteral("mnuPop"));
    mnuSelect = mnuPop->addAction(QString::fromUtf8("Ausw\u00e4hlen"));
    mnuSelect->setObjectName(QStringLiteral("mnuSelect"));
    mnuSelect->setCheckable(true);
    mnuSelect->setChecked(true);
    mnuMove = mnuPop->addAction(QStringLiteral("Verschieben"));
    mnuMove->setObjectName(QStringLiteral("mnuMove"));
    mnuMove->setCheckable(true);
    BuildBatchView();
    BuildPresetMenu();
    BuildMenuKeys();
    BuildStatusLine();
}

void frmFiles::ConnectHandlers() {
    connect(drvDrives, &QComboBox::currentIndexChanged, this, [this] { drvDrives_Change(); });
    connect(lstPath, &QAbstractItemView::doubleClicked, this, [this] { lstPath_DblClick(); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });
    connect(cmdRoot, &QPushButton::clicked, this, [this] { cmdRoot_Click(); });
    connect(cmdRefresh, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
    connect(cmdRef, &QPushButton::clicked, this, [this] { cmdRef_Click(); });
    connect(cmdBatch, &QPushButton::clicked, this, [this] { cmdBatch_Click(); });
    ConnectListHandlers();
    ConnectOptionHandlers();
    ConnectEditorHandlers();
    ConnectTagHandlers();
    ConnectBatchViewHandlers();
    ConnectPresetHandlers();
    ConnectFolderKeys();
    ConnectMenuKeys();
    // Where the content scrolls, the control the keys reach is scrolled into view.
    state_->focusWatch = connect(qApp, &QApplication::focusChanged, this,
                                 [this](QWidget*, QWidget* now) { ScrollToShow(now); });
}

void frmFiles::Form_Load() {
    DirsHidden = false;
    OptionsHidden = true;
    TagsFlag = false;
    NameMouseDown = false;
    lblDirs_MouseDown();
    lblOptions_MouseDown(0);
    dirDirs_Change();
    for (const char* frame : {"frmOptions", "frmID3", "frmEXIF"})
        SetTop(QString::fromLatin1(frame), 620);
    ApplyPlaces();
    SetTypeMark(QString()); // grey: no file taken up
    ShowPlace();
    CenterForm(*this);
}

void frmFiles::Form_Unload() {
    if (state_->unloaded)
        return;
    state_->unloaded = true;
    emit unloading();
}

void frmFiles::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmFiles::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

bool frmFiles::eventFilter(QObject* watched, QEvent* event) {
    if (OptionsEvent(watched, event) || EditorEvent(watched, event))
        return true;
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress;
    const bool doubleClick = type == QEvent::MouseButtonDblClick;
    if (watched == lblDirs) {
        if (press)
            lblDirs_MouseDown();
        else if (doubleClick)
            lblDirs_DblClick();
    } else if (watched == lblDirs2) {
        // A click is a press and a release on the strip; the second press of a double-click is none.
        if (press) {
            state_->lblDirs2Pressed = true;
        } else if (type == QEvent::MouseButtonRelease && state_->lblDirs2Pressed) {
            state_->lblDirs2Pressed = false;
            if (lblDirs2->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                lblDirs2_Click();
        }
    } else {
        for (int i = 0; i < lblOptions.Count(); ++i) {
            if (watched != lblOptions[i])
                continue;
            if (press)
                lblOptions_MouseDown(i);
            else if (doubleClick)
                lblOptions_DblClick(i);
        }
    }
    return QWidget::eventFilter(watched, event);
}
