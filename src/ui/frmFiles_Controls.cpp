// The inventory of the window frmFiles.
#include "ui/ControlTable.h"

#include <cstring>

namespace {

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

constexpr const char* kDirsTip = "Klicken zum Anzeigen des Ordner-Browsers";
constexpr const char* kRefreshTip = "Quelle neu einlesen";

// clang-format off
constexpr ControlSpec kControls[] = {
    // name, kind, container, {left, top, width, height}, text, tooltip, font, back, fore, maxLength, flags
    {"lblDirs", K::Strip, nullptr, {0, 0, 165, 8145}, "", kDirsTip, {}, kGrey, 0, 0, SizeWECursor},
    {"frmDirs", K::Frame, nullptr, {165, -90, 4530, 8250}},
    {"drvDrives", K::DriveList, "frmDirs", {135, 225, 2550, 315}, "", "", kSansBold8, kBlack, kLight},
    {"lstPath", K::ListSingle, "frmDirs", {120, 795, 4260, 7320}, "", "", kVerdanaBold11, kBlack, kLight, 0,
     AcceptsDrops},
    {"cmdRoot", K::Button, "frmDirs", {2820, 225, 465, 465}, "\\", "Ins Wurzelverzeichnis wechseln", kCourierBold14},
    {"cmdBack", K::Button, "frmDirs", {3360, 225, 465, 465}, "..", "eine Verzeichnisebene h\u00f6her", kCourierBold14},
    {"cmdRefresh", K::Button, "frmDirs", {3900, 225, 465, 465}, "q", kRefreshTip, {"Webdings", 18, false}, 0, 0, 0,
     RefreshIcon},
    {"lblDirs2", K::Strip, "frmDirs", {4380, 90, 165, 8145}, "", kDirsTip, {}, kGrey, 0, 0, SizeWECursor},

    {"txtFileName", K::TextBox, nullptr, {4800, 120, 9135, 525}, "Filename", "", kCourierBold18, kWhite, kBlack},
    {"lblDot", K::Label, nullptr, {13965, 75, 255, 615}, ".", "", {"Courier New", 24, true}, 0, kBlack},
    {"txtExtension", K::TextBox, nullptr, {14280, 120, 975, 495}, "jpeg", "", kCourierBold18, kWhite, kBlack},
    {"lstSel", K::ListExtended, nullptr, {4785, 720, 5070, 7425}, "", "", kVerdanaBold11, kListBack, 0, 0,
     AcceptsDrops},
    {"lstSort", K::ListSingle, nullptr, {4785, 720, 5070, 7425}, "", "", kVerdanaBold11, kListBack, 0, 0,
     AcceptsDrops | Hidden},
    {"cmdRef", K::Button, nullptr, {9540, 720, 345, 360}, "q", kRefreshTip, {"Webdings", 15.75, false}, 0, 0, 0,
     RefreshIcon},

    {"frmOptions", K::Frame, nullptr, {9885, 615, 5175, 7545}, "", "", {"Tahoma", 9, false}},
    {"chkOptions(0)", K::CheckBox, "frmOptions", {255, 315, 4575, 255}, "Letzte Klammer mit Inhalt entfernen", "",
     kTahomaBold8},
    {"chkOptions(1)", K::CheckBox, "frmOptions", {255, 630, 4455, 255}, "              gegen Leerzeichen ersetzen",
     "", kTahomaBold8},
    {"txtRep", K::TextBox, "frmOptions", {540, 570, 495, 345}, "_", "", kSansBold12, 0, 0, 2},
    {"Frame2", K::Frame, "frmOptions", {105, 930, 4995, 615}, "Frame2", "", {}, Colour(255, 224, 192)},
    {"chkOptions(10)", K::CheckBox, "Frame2", {150, 30, 2385, 255}, "Gro\u00df/Kleinschreibung:", "", kTahomaBold8},
    {"optGK(0)", K::OptionButton, "Frame2", {2520, 30, 1035, 240}, "GROSS", "", kSansBold8, 0, 0, 0, Disabled},
    {"optGK(1)", K::OptionButton, "Frame2", {3630, 30, 795, 240}, "klein", "", kSansBold8, 0, 0, 0, Disabled},
    {"optGK(2)", K::OptionButton, "Frame2", {390, 330, 4425, 240}, "Erster Buchstabe pro Wort in Grossbuchstaben",
     "", kSansBold8, 0, 0, 0, Disabled | Checked},
    {"chkOptions(2)", K::CheckBox, "frmOptions", {255, 1620, 3885, 255}, "Die ersten                Zeichen entfernen",
     "", kTahomaBold8},
    {"txtFirst", K::TextBox, "frmOptions", {1500, 1545, 495, 345}, "5", "", kSansBold12, 0, 0, 2},
    {"chkOptions(3)", K::CheckBox, "frmOptions", {255, 1980, 3840, 255}, "Die letzten               Zeichen entfernen",
     "", kTahomaBold8},
    {"txtLast", K::TextBox, "frmOptions", {1500, 1920, 495, 345}, "7", "", kSansBold12, 0, 0, 2},
    {"chkOptions(4)", K::CheckBox, "frmOptions", {255, 2310, 4530, 255}, "Folgende Zeichenkette finden und entfernen:",
     "", kTahomaBold8},
    {"txtDelete", K::TextBox, "frmOptions", {615, 2550, 4095, 375}, "", "", kSansBold12},
    {"chkOptions(5)", K::CheckBox, "frmOptions", {255, 2985, 4485, 255}, "Folgende Zeichenkette finden und ersetzen:",
     "", kTahomaBold8},
    {"txtFind", K::TextBox, "frmOptions", {615, 3225, 4095, 375}, "", "", kSansBold12},
    {"txtReplace", K::TextBox, "frmOptions", {615, 3585, 4095, 375}, "", "", kSansBold12},
    {"Frame3", K::Frame, "frmOptions", {270, 4050, 4785, 495}, "Frame3"},
    {"chkOptions(6)", K::CheckBox, "Frame3", {0, 75, 1875, 255}, "Zeichenkette:", "", kTahomaBold8},
    {"txtString", K::TextBox, "Frame3", {1545, 0, 1080, 420}, "_BAK", "", kSansBold12, 0, 0, 0, Disabled},
    {"optPos(0)", K::OptionButton, "Frame3", {2745, 75, 1035, 240}, "Anfang", "", kSansBold8, 0, 0, 0, Disabled},
    {"optPos(1)", K::OptionButton, "Frame3", {3795, 75, 795, 240}, "Ende", "", kSansBold8, 0, 0, 0,
     Disabled | Checked},
    {"Frame1", K::Frame, "frmOptions", {120, 4530, 4980, 1935}, "Frame1", "", {}, Colour(255, 255, 192)},
    {"chkOptions(7)", K::CheckBox, "Frame1", {150, 60, 1335, 255}, "Z\u00c4HLER", "", kTahomaBold8},
    {"txtCnt", K::TextBox, "Frame1", {2175, 30, 435, 375}, "2", "", kSansBold12, 0, 0, 1, Disabled},
    {"lblCnt", K::Label, "Frame1", {2640, 120, 1830, 345}, "-stellig, starten ab:", "", kSansBold8, 0, 0, 0,
     Disabled},
    {"txtCount", K::TextBox, "Frame1", {4275, 30, 660, 375}, "1", "", kSansBold12, 0, 0, 3, Disabled},
    {"optPos2(0)", K::OptionButton, "Frame1", {315, 540, 1035, 240}, "Anfang", "", kSansBold8, 0, 0, 0,
     Disabled | Checked},
    {"optPos2(1)", K::OptionButton, "Frame1", {1365, 540, 795, 240}, "Ende", "", kSansBold8, 0, 0, 0, Disabled},
    {"lblTrenn", K::Label, "Frame1", {2910, 540, 1365, 285}, "Trennzeichen:", "", kSansBold8, 0, 0, 0, Disabled},
    {"txtTrenn", K::TextBox, "Frame1", {4290, 480, 660, 345}, " - ", "", kSansBold12, 0, 0, 0, Disabled},
    {"chkOptions(9)", K::CheckBox, "Frame1", {180, 960, 1965, 255}, "Namen \u00e4ndern:", "", kTahomaBold8, 0, 0, 0,
     Disabled},
    {"txtNewName", K::TextBox, "Frame1", {1830, 900, 3105, 375}, "", "", kSansBold12},
    {"chkOptions(8)", K::CheckBox, "Frame1", {180, 1320, 2730, 255}, "Z\u00e4hler-Liste abarbeiten:", "",
     kTahomaBold8, 0, 0, 0, Disabled},
    {"txtList", K::TextBox, "Frame1", {60, 1590, 4860, 285}, "48,50,52,53,55,57,59,60,62,64,65,67,69,71,72", "",
     kSansBold8, 0, 0, 0, Disabled},
    {"cmdBatch", K::Button, "frmOptions", {120, 6540, 4935, 915}, "Auf ausgew\u00e4hlte Dateien anwenden", "",
     {"Arial", 12.75, true}, Colour(0, 192, 0)},

    {"frmEXIF", K::Frame, nullptr, {4680, 8640, 5175, 7575}, "", "", {}, Colour(255, 192, 192), 0, 0, Hidden},
    {"frmID3", K::Frame, nullptr, {10080, 8640, 5175, 7575}, "", "", {}, Colour(192, 192, 255), 0, 0, Hidden},
    {"lblOptions(0)", K::Strip, nullptr, {15120, 720, 165, 6855}, "", "klicken zum Anzeigen der Umbenenn-Optionen",
     {}, kGrey, 0, 0, SizeWECursor},
    {"lblOptions(1)", K::Strip, nullptr, {15120, 7560, 165, 555}, "",
     "Wenn farbig markiert, dann klicken f\u00fcr Datei-Tags", {}, Colour(128, 128, 255), 0, 0, SizeWECursor},
    {"cmdDummy", K::Button, nullptr, {20640, 3360, 195, 195}},
    {"frmPaths", K::Frame, nullptr, {17400, 3720, 3615, 1575}, "FileHandling", "", {}, 0, 0, 0, Hidden},
    {"dirDirs", K::FolderControl, "frmPaths", {120, 240, 1635, 1215}},
    {"filFiles", K::FileEnumerator, "frmPaths", {1800, 240, 1695, 1260}},
};
// clang-format on

} // namespace

std::span<const ControlSpec> ControlTable() {
    return kControls;
}

const ControlSpec* FindControlSpec(const char* name) {
    for (const ControlSpec& c : kControls)
        if (std::strcmp(c.name, name) == 0)
            return &c;
    return nullptr;
}
