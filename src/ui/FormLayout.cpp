#include "ui/FormLayout.h"

#include "ui/ControlTable.h"

#include <QtMath>

#include <algorithm>

namespace {

enum class Field { Left, Top, Width, Height };

// What an assignment of the pass starts from; the row adds its offset.
enum class Base {
    OuterWidth,            // W
    OuterHeight,           // H
    HalfHeightBelowEditor, // (H - height of txtExtension) / 2
    HalfOuterHeight,       // H / 2
    BesideOptionsPanel,    // left of frmOptions less the width of cmdRef
    StripBottom,           // top + height of lblOptions(0)
    Lists,                 // the same field of lstSort
    StripHeight,           // height of lblDirs
    TwoButtonsFromRight,   // W less twice the width of cmdRef
};

// The panel states a row applies in.
enum When : unsigned {
    Always = 0,
    DirsShown = 1u << 0,
    DirsHidden = 1u << 1,
    OptionsShown = 1u << 2,
    OptionsHidden = 1u << 3,
};

struct LayoutRow {
    const char* control;
    Field field;
    Base base;
    double offset;
    unsigned when = Always;
};

// The assignments of the pass in the order they run. Widths and heights that would be negative
// are not assigned: the control keeps its previous value.
// clang-format off
constexpr LayoutRow kRows[] = {
    {"lblDot",        Field::Left,   Base::OuterWidth,            -1480},
    {"txtExtension",  Field::Left,   Base::OuterWidth,            -1200},
    {"lblDirs",       Field::Height, Base::OuterHeight,            -300},
    {"lblDirs2",      Field::Height, Base::StripHeight,               0},
    {"frmDirs",       Field::Height, Base::OuterHeight,            -200},
    {"lstPath",       Field::Height, Base::OuterHeight,           -1200},
    {"lstSort",       Field::Height, Base::OuterHeight,           -1270},
    {"lblOptions(0)", Field::Left,   Base::OuterWidth,             -320},
    {"lblOptions(1)", Field::Left,   Base::OuterWidth,             -320},
    {"lblOptions(0)", Field::Height, Base::HalfHeightBelowEditor,  -500},
    {"lblOptions(1)", Field::Top,    Base::StripBottom,               0},
    {"lblOptions(1)", Field::Height, Base::HalfOuterHeight,           0},
    // The folder panel takes 4560 twips: the difference of the left edges its toggle gives the
    // editor and the list.
    {"txtFileName",   Field::Width,  Base::OuterWidth,            -6290, DirsShown},
    {"lstSort",       Field::Width,  Base::OuterWidth,           -10410, DirsShown},
    {"txtFileName",   Field::Width,  Base::OuterWidth,            -1730, DirsHidden},
    {"lstSort",       Field::Width,  Base::OuterWidth,            -5850, DirsHidden},
    {"frmOptions",    Field::Left,   Base::OuterWidth,            -5550},
    {"frmEXIF",       Field::Left,   Base::OuterWidth,            -5550},
    {"frmID3",        Field::Left,   Base::OuterWidth,            -5550},
    {"cmdRef",        Field::Left,   Base::BesideOptionsPanel,       0, OptionsShown},
    {"cmdRef",        Field::Left,   Base::TwoButtonsFromRight,      0, OptionsHidden},
    // Hidden options widen the list by 5170 twips from this pass's own width, so a width that
    // was refused is not widened again and again.
    {"lstSort",       Field::Width,  Base::OuterWidth,     -10410 + 5170, DirsShown | OptionsHidden},
    {"lstSort",       Field::Width,  Base::OuterWidth,      -5850 + 5170, DirsHidden | OptionsHidden},
    {"lstSel",        Field::Width,  Base::Lists,                     0},
    {"lstSel",        Field::Height, Base::Lists,                     0},
    {"lstSel",        Field::Left,   Base::Lists,                     0},
};
// clang-format on

double& FieldOf(TwipRect& r, Field field) {
    switch (field) {
    case Field::Left:
        return r.left;
    case Field::Top:
        return r.top;
    case Field::Width:
        return r.width;
    case Field::Height:
        break;
    }
    return r.height;
}

double BaseValue(Places& p, const LayoutRow& row, double W, double H) {
    switch (row.base) {
    case Base::OuterWidth:
        return W;
    case Base::OuterHeight:
        return H;
    case Base::HalfHeightBelowEditor:
        return (H - p["txtExtension"].height) / 2;
    case Base::HalfOuterHeight:
        return H / 2;
    case Base::BesideOptionsPanel:
        return p["frmOptions"].left - p["cmdRef"].width;
    case Base::StripBottom:
        return p["lblOptions(0)"].top + p["lblOptions(0)"].height;
    case Base::Lists:
        return FieldOf(p["lstSort"], row.field);
    case Base::StripHeight:
        return p["lblDirs"].height;
    case Base::TwoButtonsFromRight:
        break;
    }
    return W - 2 * p["cmdRef"].width;
}

bool Applies(unsigned when, bool dirsHidden, bool optionsHidden) {
    const unsigned state =
        (dirsHidden ? DirsHidden : DirsShown) | (optionsHidden ? OptionsHidden : OptionsShown);
    return (when & state) == when;
}

// Narrower than this, a file list shows too little of a name to be of use.
constexpr double kListMinimumWidth = 3000;

int CeilPixels(double twips) {
    return qCeil(twips / kTwipsPerPixel);
}

} // namespace

Places DesignPlaces() {
    Places places;
    for (const ControlSpec& c : ControlTable())
        places.insert(QString::fromLatin1(c.name), c.place);
    return places;
}

void LayoutPass(Places& places, double W, double H, bool dirsHidden, bool optionsHidden) {
    for (const LayoutRow& row : kRows) {
        if (!Applies(row.when, dirsHidden, optionsHidden))
            continue;
        const double value = BaseValue(places, row, W, H) + row.offset;
        const bool isSize = row.field == Field::Width || row.field == Field::Height;
        if (isSize && value < 0)
            continue; // the toolkit refuses negative sizes; such an assignment is passed over
        FieldOf(places[QString::fromLatin1(row.control)], row.field) = value;
    }
}

QSize ContentMinimum(const Places& p, bool dirsHidden) {
    // The widths the layout pass takes from the window for all but the list (see kRows).
    const double width = (dirsHidden ? 5850 : 10410) + kListMinimumWidth;
    const double height = p["frmOptions"].top + p["cmdBatch"].top + p["cmdBatch"].height;
    return {CeilPixels(width), CeilPixels(height)};
}

ContentView FitContent(QSize client, QSize minimum, int barBreadth) {
    ContentView v;
    v.view = client;
    // A bar takes room from the other direction, which may then need a bar of its own.
    for (int pass = 0; pass < 2; ++pass) {
        if (!v.vBar && v.view.height() < minimum.height()) {
            v.vBar = true;
            v.view.rwidth() -= barBreadth;
        }
        if (!v.hBar && v.view.width() < minimum.width()) {
            v.hBar = true;
            v.view.rheight() -= barBreadth;
        }
    }
    v.view = v.view.expandedTo(QSize(0, 0));
    v.content = v.view.expandedTo(minimum);
    return v;
}
