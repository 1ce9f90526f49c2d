// The inventory of the window frmFiles.
#include "ui/ControlTable.h"

#include "ui/FolderControls.h"
#include "ui/TypeMark.h"
#include "ui/frmFiles.h"
#include "rename/RuleDefaults.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <type_traits>

namespace {

// The bindings of a row: the member of frmFiles, or the element of a control array, that the
// control built from the row is.
template <auto Member> void M(frmFiles& form, QWidget* control) {
    auto& member = form.*Member;
    member = qobject_cast<std::remove_reference_t<decltype(member)>>(control);
    Q_ASSERT_X(member != nullptr, "frmFiles", "a row whose kind is not its member's type");
}

template <auto Array, int Index> void E(frmFiles& form, QWidget* control) {
    auto& element = (form.*Array)[Index];
    element = qobject_cast<std::remove_reference_t<decltype(element)>>(control);
    Q_ASSERT_X(element != nullptr, "frmFiles", "a row whose kind is not its element's type");
}

constexpr unsigned SelectedIf(bool selected) {
    return selected ? ControlFlag::Checked : 0u;
}

using K = ControlKind;
using namespace ControlFlag;

constexpr QRgb kGrey = Colour(128, 128, 128);
constexpr QRgb kBlack = Colour(0, 0, 0);
constexpr QRgb kWhite = Colour(255, 255, 255);
constexpr QRgb kLight = Colour(224, 224, 224);
constexpr QRgb kListBack = Colour(244, 244, 244);

constexpr FontSpec kSansBold8{"MS Sans Serif", 8.25, true};
constexpr FontSpec kSansBold12{"MS Sans Serif", 12, true};
constexpr FontSpec kTahomaBold8{"Tahoma", 8.25, true};
constexpr FontSpec kVerdanaBold11{"Verdana", 11.25, true};
constexpr FontSpec kCourierBold14{"Courier New", 14.25, true};
constexpr FontSpec kCourierBold18{"Courier New", 18, true};
constexpr FontSpec kTahoma8{"Tahoma", 8.25, false};

constexpr const char* kDirsTip = "Klicken zum Anzeigen des Ordner-Browsers";
constexpr const char* kRefreshTip = "Quelle neu einlesen";

// clang-format off
constexpr ControlSpec kControls[] = {
    // name, binding, kind, container, {left, top, width, height}, text, tooltip, font, back, fore, maxLength, flags,
    // accessibleName
    {"lblDirs", M<&frmFiles::lblDirs>, K::Strip, nullptr, {0, 0, 165, 8145}, "", kDirsTip, {}, kGrey, 0, 0, SizeWECursor},
    {"frmDirs", M<&frmFiles::frmDirs>, K::Frame, nullptr, {165, -90, 4530, 8250}, "", "", {}, 0, 0, 0, 0, "Ordner-Browser"},
    {"drvDrives", M<&frmFiles::drvDrives>, K::DriveList, "frmDirs", {135, 225, 2550, 315}, "", "", kSansBold8, kBlack, kLight, 0, 0,
     "Laufwerk"},
    {"cmdRoot", M<&frmFiles::cmdRoot>, K::Button, "frmDirs", {2820, 225, 465, 465}, "\\", "Ins Wurzelverzeichnis wechseln", kCourierBold14},
    {"cmdBack", M<&frmFiles::cmdBack>, K::Button, "frmDirs", {3360, 225, 465, 465}, "..", "eine Verzeichnisebene h\u00f6her", kCourierBold14},
    {"cmdRefresh", M<&frmFiles::cmdRefresh>, K::Button, "frmDirs", {3900, 225, 465, 465}, "q", kRefreshTip, {"Webdings", 18, false}, 0, 0, 0,
     RefreshIcon},
    {"lstPath", M<&frmFiles::lstPath>, K::ListSingle, "frmDirs", {120, 795, 4260, 7320}, "", "", kVerdanaBold11, kBlack, kLight, 0,
     AcceptsDrops, "Ordner"},
    {"lblDirs2", M<&frmFiles::lblDirs2>, K::Strip, "frmDirs", {4380, 90, 165, 8145}, "", kDirsTip, {}, kGrey, 0, 0, SizeWECursor},

    {"txtFileName", M<&frmFiles::txtFileName>, K::TextBox, nullptr, {4800, 120, 9135, 525}, "Filename", "", kCourierBold18, kWhite, kBlack,
     0, 0, "Dateiname"},
    {"lblDot", M<&frmFiles::lblDot>, K::Label, nullptr, {13965, 75, 255, 615}, ".", "", {"Courier New", 24, true}, 0, kBlack},
    {"txtExtension", M<&frmFiles::txtExtension>, K::TextBox, nullptr, {14280, 120, 975, 495}, "jpeg", "", kCourierBold18, kWhite, kBlack,
     0, 0, "Dateiendung"},
    {"lstSel", M<&frmFiles::lstSel>, K::ListExtended, nullptr, {4785, 720, 5070, 7425}, "", "", kVerdanaBold11, kListBack, 0, 0,
     AcceptsDrops, "Dateien"},
    {"lstSort", M<&frmFiles::lstSort>, K::ListSingle, nullptr, {4785, 720, 5070, 7425}, "", "", kVerdanaBold11, kListBack, 0, 0,
     AcceptsDrops | Hidden, "Reihenfolge"},
    {"cmdRef", M<&frmFiles::cmdRef>, K::Button, nullptr, {9540, 720, 345, 360}, "q", kRefreshTip, {"Webdings", 15.75, false}, 0, 0, 0,
     RefreshIcon},

    {"frmOptions", M<&frmFiles::frmOptions>, K::Frame, nullptr, {9885, 615, 5175, 7545}, "", "", {"Tahoma", 9, false}, 0, 0, 0, 0,
     "Umbenenn-Optionen"},
    {"chkOptions(0)", E<&frmFiles::chkOptions, 0>, K::CheckBox, "frmOptions", {255, 315, 4575, 255}, "Letzte Klammer mit Inhalt entfernen", "",
     kTahomaBold8},
    {"chkOptions(1)", E<&frmFiles::chkOptions, 1>, K::CheckBox, "frmOptions", {255, 630, 4455, 255}, "              gegen Leerzeichen ersetzen",
     "", kTahomaBold8, 0, 0, 0, 0, "Zeichen gegen Leerzeichen ersetzen"},
    {"txtRep", M<&frmFiles::txtRep>, K::TextBox, "frmOptions", {540, 570, 495, 345}, RuleDefaults::BlankChar, "", kSansBold12, 0, 0, 2, 0,
     "Zeichen gegen Leerzeichen ersetzen: Zeichen"},
    {"Frame2", M<&frmFiles::Frame2>, K::Frame, "frmOptions", {105, 930, 4995, 615}, "Frame2", "", {}, Colour(255, 224, 192), 0, 0, 0,
     "Gro\u00df/Kleinschreibung"},
    {"chkOptions(10)", E<&frmFiles::chkOptions, 10>, K::CheckBox, "Frame2", {150, 30, 2385, 255}, "Gro\u00df/Kleinschreibung:", "", kTahomaBold8},
    {"optGK(0)", E<&frmFiles::optGK, 0>, K::OptionButton, "Frame2", {2520, 30, 1035, 240}, "GROSS", "", kSansBold8, 0, 0, 0, Disabled | SelectedIf(RuleDefaults::Case == CaseMode::CaseUpper)},
    {"optGK(1)", E<&frmFiles::optGK, 1>, K::OptionButton, "Frame2", {3630, 30, 795, 240}, "klein", "", kSansBold8, 0, 0, 0, Disabled | SelectedIf(RuleDefaults::Case == CaseMode::CaseLower)},
    {"optGK(2)", E<&frmFiles::optGK, 2>, K::OptionButton, "Frame2", {390, 330, 4425, 240}, "Erster Buchstabe pro Wort in Grossbuchstaben",
     "", kSansBold8, 0, 0, 0, Disabled | SelectedIf(RuleDefaults::Case == CaseMode::CaseWords)},
    {"chkOptions(2)", E<&frmFiles::chkOptions, 2>, K::CheckBox, "frmOptions", {255, 1620, 3885, 255}, "Die ersten                Zeichen entfernen",
     "", kTahomaBold8, 0, 0, 0, 0, "Die ersten N Zeichen entfernen"},
    {"txtFirst", M<&frmFiles::txtFirst>, K::TextBox, "frmOptions", {1500, 1545, 495, 345}, RuleDefaults::CutFirstCount, "", kSansBold12, 0, 0, 2, 0,
     "Die ersten N Zeichen entfernen: Anzahl"},
    {"chkOptions(3)", E<&frmFiles::chkOptions, 3>, K::CheckBox, "frmOptions", {255, 1980, 3840, 255}, "Die letzten               Zeichen entfernen",
     "", kTahomaBold8, 0, 0, 0, 0, "Die letzten N Zeichen entfernen"},
    {"txtLast", M<&frmFiles::txtLast>, K::TextBox, "frmOptions", {1500, 1920, 495, 345}, RuleDefaults::CutLastCount, "", kSansBold12, 0, 0, 2, 0,
     "Die letzten N Zeichen entfernen: Anzahl"},
    {"chkOptions(4)", E<&frmFiles::chkOptions, 4>, K::CheckBox, "frmOptions", {255, 2310, 4530, 255}, "Folgende Zeichenkette finden und entfernen:",
     "", kTahomaBold8},
    {"txtDelete", M<&frmFiles::txtDelete>, K::TextBox, "frmOptions", {615, 2550, 4095, 375}, "", "", kSansBold12, 0, 0, 0, 0,
     "Folgende Zeichenkette finden und entfernen: Zeichenkette"},
    {"chkOptions(5)", E<&frmFiles::chkOptions, 5>, K::CheckBox, "frmOptions", {255, 2985, 4485, 255}, "Folgende Zeichenkette finden und ersetzen:",
     "", kTahomaBold8},
    {"txtFind", M<&frmFiles::txtFind>, K::TextBox, "frmOptions", {615, 3225, 4095, 375}, "", "", kSansBold12, 0, 0, 0, 0,
     "Folgende Zeichenkette finden und ersetzen: Suchen nach"},
    {"txtReplace", M<&frmFiles::txtReplace>, K::TextBox, "frmOptions", {615, 3585, 4095, 375}, "", "", kSansBold12, 0, 0, 0, 0,
     "Folgende Zeichenkette finden und ersetzen: Ersetzen durch"},
    {"Frame3", M<&frmFiles::Frame3>, K::Frame, "frmOptions", {270, 4050, 4785, 495}, "Frame3", "", {}, 0, 0, 0, 0, "Zeichenkette"},
    {"chkOptions(6)", E<&frmFiles::chkOptions, 6>, K::CheckBox, "Frame3", {0, 75, 1875, 255}, "Zeichenkette:", "", kTahomaBold8},
    {"txtString", M<&frmFiles::txtString>, K::TextBox, "Frame3", {1545, 0, 1080, 420}, RuleDefaults::AddText, "", kSansBold12, 0, 0, 0, Disabled,
     "Zeichenkette: Text"},
    {"optPos(0)", E<&frmFiles::optPos, 0>, K::OptionButton, "Frame3", {2745, 75, 1035, 240}, "Anfang", "", kSansBold8, 0, 0, 0, Disabled | SelectedIf(RuleDefaults::AddTextAtStart),
     "Zeichenkette am Anfang"},
    {"optPos(1)", E<&frmFiles::optPos, 1>, K::OptionButton, "Frame3", {3795, 75, 795, 240}, "Ende", "", kSansBold8, 0, 0, 0,
     Disabled | SelectedIf(!RuleDefaults::AddTextAtStart), "Zeichenkette am Ende"},
    {"Frame1", M<&frmFiles::Frame1>, K::Frame, "frmOptions", {120, 4530, 4980, 1935}, "Frame1", "", {}, Colour(255, 255, 192), 0, 0, 0,
     "Z\u00e4hler"},
    {"chkOptions(7)", E<&frmFiles::chkOptions, 7>, K::CheckBox, "Frame1", {150, 60, 1335, 255}, "Z\u00c4HLER", "", kTahomaBold8},
    {"txtCnt", M<&frmFiles::txtCnt>, K::TextBox, "Frame1", {2175, 30, 435, 375}, RuleDefaults::CounterDigits, "", kSansBold12, 0, 0, 1, Disabled,
     "Z\u00e4hler: Stellen"},
    {"lblCnt", M<&frmFiles::lblCnt>, K::Label, "Frame1", {2640, 120, 1830, 345}, "-stellig, starten ab:", "", kSansBold8, 0, 0, 0,
     Disabled},
    {"txtCount", M<&frmFiles::txtCount>, K::TextBox, "Frame1", {4275, 30, 660, 375}, RuleDefaults::CounterStart, "", kSansBold12, 0, 0, 3, Disabled,
     "Z\u00e4hler: starten ab"},
    {"optPos2(0)", E<&frmFiles::optPos2, 0>, K::OptionButton, "Frame1", {315, 540, 1035, 240}, "Anfang", "", kSansBold8, 0, 0, 0,
     Disabled | SelectedIf(RuleDefaults::CounterAtStart), "Z\u00e4hler am Anfang"},
    {"optPos2(1)", E<&frmFiles::optPos2, 1>, K::OptionButton, "Frame1", {1365, 540, 795, 240}, "Ende", "", kSansBold8, 0, 0, 0, Disabled | SelectedIf(!RuleDefaults::CounterAtStart),
     "Z\u00e4hler am Ende"},
    {"lblTrenn", M<&frmFiles::lblTrenn>, K::Label, "Frame1", {2910, 540, 1365, 285}, "Trennzeichen:", "", kSansBold8, 0, 0, 0, Disabled},
    {"txtTrenn", M<&frmFiles::txtTrenn>, K::TextBox, "Frame1", {4290, 480, 660, 345}, RuleDefaults::CounterSeparator, "", kSansBold12, 0, 0, 0, Disabled,
     "Z\u00e4hler: Trennzeichen"},
    {"chkOptions(9)", E<&frmFiles::chkOptions, 9>, K::CheckBox, "Frame1", {180, 960, 1965, 255}, "Namen \u00e4ndern:", "", kTahomaBold8, 0, 0, 0,
     Disabled},
    {"txtNewName", M<&frmFiles::txtNewName>, K::TextBox, "Frame1", {1830, 900, 3105, 375}, "", "", kSansBold12, 0, 0, 0, 0,
     "Namen \u00e4ndern: Neuer Name"},
    {"chkOptions(8)", E<&frmFiles::chkOptions, 8>, K::CheckBox, "Frame1", {180, 1320, 2730, 255}, "Z\u00e4hler-Liste abarbeiten:", "",
     kTahomaBold8, 0, 0, 0, Disabled},
    {"txtList", M<&frmFiles::txtList>, K::TextBox, "Frame1", {60, 1590, 4860, 285}, RuleDefaults::CounterList, "", kSansBold8, 0, 0, 0, Disabled,
     "Z\u00e4hler-Liste abarbeiten: Liste"},
    {"cmdBatch", M<&frmFiles::cmdBatch>, K::Button, "frmOptions", {120, 6540, 4935, 915}, "Auf ausgew\u00e4hlte Dateien anwenden", "",
     {"Arial", 12.75, true}, Colour(0, 192, 0)},

    {"frmEXIF", M<&frmFiles::frmEXIF>, K::Frame, nullptr, {4680, 8640, 5175, 7575}, "", "", {}, TypeColour::Jpeg, 0, 0, Hidden, "Datei-Tags: EXIF"},
    // The camera summary: the texts the EXIF reader writes stay until a later file has its own.
    {"lblCam(1)", E<&frmFiles::lblCam, 1>, K::Label, "frmEXIF", {120, 120, 4935, 330}, "", "", {"Tahoma", 9.75, true}, 0, 0, 0, 0, "Kamera"},
    {"lblBlende(1)", E<&frmFiles::lblBlende, 1>, K::Label, "frmEXIF", {120, 510, 2400, 285}, "", "", kSansBold8, 0, 0, 0, 0, "Blende"},
    {"lblExp(1)", E<&frmFiles::lblExp, 1>, K::Label, "frmEXIF", {2640, 510, 2415, 285}, "", "", kSansBold8, 0, 0, 0, 0, "Belichtung"},
    {"lblTimeDate(1)", E<&frmFiles::lblTimeDate, 1>, K::Label, "frmEXIF", {120, 840, 2880, 285}, "", "", kSansBold8, 0, 0, 0, 0, "Aufnahme"},
    {"lblISO(1)", E<&frmFiles::lblISO, 1>, K::Label, "frmEXIF", {3120, 840, 1935, 285}, "", "", kSansBold8, 0, 0, 0, 0, "ISO"},
    {"chkFreeze", M<&frmFiles::chkFreeze>, K::CheckBox, "frmEXIF", {120, 1170, 2400, 285}, "Zeit festhalten:", "", kTahomaBold8, 0, 0, 0, 0, "Zeit festhalten"},
    {"lblEXIFTime", M<&frmFiles::lblEXIFTime>, K::Label, "frmEXIF", {2640, 1170, 2415, 285}, "", "", kSansBold8, 0, 0, 0, 0, "Aufnahmezeit"},
    {"chkDateTaken", M<&frmFiles::chkDateTaken>, K::CheckBox, "frmEXIF", {120, 1620, 4935, 285}, "Aufnahmedatum voranstellen", "", kTahomaBold8},
    {"lblDateFormat", M<&frmFiles::lblDateFormat>, K::Label, "frmEXIF", {390, 2010, 900, 285}, "Format:", "", kSansBold8},
    {"txtDateFormat", M<&frmFiles::txtDateFormat>, K::TextBox, "frmEXIF", {1320, 1935, 3735, 375}, RuleDefaults::DateTakenFormat, "", kSansBold12, 0, 0, 0, 0, "Format"},
    {"lblEXIFList", M<&frmFiles::lblEXIFList>, K::Label, "frmEXIF", {120, 2460, 4935, 285}, "EXIF-Eintr\u00e4ge:", "", kSansBold8},
    {"txtEXIF", M<&frmFiles::txtEXIF>, K::TextView, "frmEXIF", {120, 2760, 4935, 4695}, "", "", kTahoma8, 0, 0, 0, 0, "EXIF-Eintr\u00e4ge"},
    {"frmID3", M<&frmFiles::frmID3>, K::Frame, nullptr, {10080, 8640, 5175, 7575}, "", "", {}, TypeColour::Mp3, 0, 0, Hidden, "Datei-Tags: MP3"},
    // The tags of an MP3, a caption and a value per row, in the order of the window's field table.
    {"lblID3Name(0)", E<&frmFiles::lblID3Name, 0>, K::Label, "frmID3", {120, 240, 1500, 285}, "Titel:", "", kSansBold8, 0, 0, 0, 0, "Titel"},
    {"lblID3(0)", E<&frmFiles::lblID3, 0>, K::Label, "frmID3", {1680, 240, 3375, 285}, "", "", kTahoma8, 0, 0, 0, 0, "Titel"},
    {"lblID3Name(1)", E<&frmFiles::lblID3Name, 1>, K::Label, "frmID3", {120, 630, 1500, 285}, "Interpret:", "", kSansBold8, 0, 0, 0, 0, "Interpret"},
    {"lblID3(1)", E<&frmFiles::lblID3, 1>, K::Label, "frmID3", {1680, 630, 3375, 285}, "", "", kTahoma8, 0, 0, 0, 0, "Interpret"},
    {"lblID3Name(2)", E<&frmFiles::lblID3Name, 2>, K::Label, "frmID3", {120, 1020, 1500, 285}, "Album:", "", kSansBold8, 0, 0, 0, 0, "Album"},
    {"lblID3(2)", E<&frmFiles::lblID3, 2>, K::Label, "frmID3", {1680, 1020, 3375, 285}, "", "", kTahoma8, 0, 0, 0, 0, "Album"},
    {"lblID3Name(3)", E<&frmFiles::lblID3Name, 3>, K::Label, "frmID3", {120, 1410, 1500, 285}, "Jahr:", "", kSansBold8, 0, 0, 0, 0, "Jahr"},
    {"lblID3(3)", E<&frmFiles::lblID3, 3>, K::Label, "frmID3", {1680, 1410, 3375, 285}, "", "", kTahoma8, 0, 0, 0, 0, "Jahr"},
    {"lblID3Name(4)", E<&frmFiles::lblID3Name, 4>, K::Label, "frmID3", {120, 1800, 1500, 285}, "Titelnummer:", "", kSansBold8, 0, 0, 0, 0, "Titelnummer"},
    {"lblID3(4)", E<&frmFiles::lblID3, 4>, K::Label, "frmID3", {1680, 1800, 3375, 285}, "", "", kTahoma8, 0, 0, 0, 0, "Titelnummer"},
    {"lblID3Name(5)", E<&frmFiles::lblID3Name, 5>, K::Label, "frmID3", {120, 2190, 1500, 285}, "Genre:", "", kSansBold8, 0, 0, 0, 0, "Genre"},
    {"lblID3(5)", E<&frmFiles::lblID3, 5>, K::Label, "frmID3", {1680, 2190, 3375, 285}, "", "", kTahoma8, 0, 0, 0, 0, "Genre"},
    {"lblID3Name(6)", E<&frmFiles::lblID3Name, 6>, K::Label, "frmID3", {120, 2580, 1500, 285}, "L\u00e4nge:", "", kSansBold8, 0, 0, 0, 0, "L\u00e4nge"},
    {"lblID3(6)", E<&frmFiles::lblID3, 6>, K::Label, "frmID3", {1680, 2580, 3375, 285}, "", "", kTahoma8, 0, 0, 0, 0, "L\u00e4nge"},
    {"lblOptions(0)", E<&frmFiles::lblOptions, 0>, K::Strip, nullptr, {15120, 720, 165, 6855}, "", "klicken zum Anzeigen der Umbenenn-Optionen",
     {}, kGrey, 0, 0, SizeWECursor},
    {"lblOptions(1)", E<&frmFiles::lblOptions, 1>, K::Strip, nullptr, {15120, 7560, 165, 555}, "",
     "Wenn farbig markiert, dann klicken f\u00fcr Datei-Tags", {}, Colour(128, 128, 255), 0, 0, SizeWECursor},
    {"cmdDummy", M<&frmFiles::cmdDummy>, K::Button, nullptr, {20640, 3360, 195, 195}, "", "", {}, 0, 0, 0, ParksFocus, "Bereit"},
    {"frmPaths", M<&frmFiles::frmPaths>, K::Frame, nullptr, {17400, 3720, 3615, 1575}, "FileHandling", "", {}, 0, 0, 0, Hidden, "Dateiverwaltung"},
    {"dirDirs", M<&frmFiles::dirDirs>, K::FolderControl, "frmPaths", {120, 240, 1635, 1215}, "", "", {}, 0, 0, 0, 0, "Aktueller Ordner"},
    {"filFiles", M<&frmFiles::filFiles>, K::FileEnumerator, "frmPaths", {1800, 240, 1695, 1260}, "", "", {}, 0, 0, 0, 0,
     "Dateien des Ordners"},
};
// clang-format on

} // namespace

std::span<const ControlSpec> ControlTable() {
    return kControls;
}
