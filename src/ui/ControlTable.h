#pragma once

#include "ui/Rgb.h"
#include "ui/Twips.h"

#include <span>

// The window's controls as data: the window is built from this table, the layout starts from its
// places, and the tests read the same rows.

enum class ControlKind {
    Frame,        // a panel holding other controls
    Label,        // static text
    Strip,        // a label used as a clickable strip
    TextBox,      // one-line text box
    TextView,     // read-only text of several lines that scrolls
    ListSingle,   // list box, single selection
    ListExtended, // list box, extended multiple selection
    Button,
    CheckBox,
    OptionButton,   // one button of a group; the group is the container
    DriveList,      // drop-down list of the mounted volumes
    ChoiceList,     // drop-down list of the choices the row's text gives, separated by "|"
    FolderControl,  // non-visual: the current folder and its subfolders
    FileEnumerator, // non-visual: the files of the current folder
};

struct FontSpec {
    const char* family = nullptr; // nullptr: the container's font
    double points = 0;
    bool bold = false;
};

namespace ControlFlag {
inline constexpr unsigned Hidden = 1u << 0;
inline constexpr unsigned Disabled = 1u << 1;
inline constexpr unsigned Checked = 1u << 2;      // ticked check box, selected option button
inline constexpr unsigned AcceptsDrops = 1u << 3; // files from a file manager
inline constexpr unsigned SizeWECursor = 1u << 4; // west-east sizing pointer
inline constexpr unsigned RefreshIcon = 1u << 5;  // shows the reload symbol instead of a caption
inline constexpr unsigned ParksFocus = 1u << 6;   // where the program parks the focus; no Tab stop
// A label that shows a value: screen readers get its accessibleName with the value after it.
inline constexpr unsigned ShowsValue = 1u << 7;
} // namespace ControlFlag

class frmFiles;
class QWidget;

// Makes the control built from a row the member of the window that the row names.
using ControlBinding = void (*)(frmFiles& form, QWidget* control);

struct ControlSpec {
    const char* name; // also the objectName; array elements as "chkOptions(7)"
    ControlBinding bind;
    ControlKind kind;
    const char* container = nullptr; // nullptr: the window itself
    TwipRect place;                  // before the first layout pass
    const char* text = "";
    const char* tooltip = "";
    FontSpec font = {};
    QRgb back = 0;
    QRgb fore = 0;
    int maxLength = 0; // characters the user may type into a text box; 0: no limit
    unsigned flags = 0;
    // What a screen reader calls the control. nullptr: the tooltip, else the caption of a label,
    // button, check box or option button with its runs of blanks closed up. Text boxes, lists and
    // frames have no caption that serves and name themselves here; a box inside a caption is named
    // after that caption; a label that ShowsValue names what its value is.
    const char* accessibleName = nullptr;
};

// Every control of the window, containers before what they hold, in stacking order. The controls
// are made in this order, which is also the order Tab walks them in: keep it the reading order.
std::span<const ControlSpec> ControlTable();

// Client size of the window at design, in twips.
inline constexpr double kDesignClientWidth = 15285;
inline constexpr double kDesignClientHeight = 8160;
