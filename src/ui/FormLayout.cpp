#include "ui/FormLayout.h"

#include "ui/ControlTable.h"

namespace {

// The toolkit refuses negative sizes; such an assignment is passed over.
void SetSize(double& field, double value) {
    if (value >= 0)
        field = value;
}

} // namespace

Places DesignPlaces() {
    Places places;
    for (const ControlSpec& c : ControlTable())
        places.insert(QString::fromLatin1(c.name), c.place);
    return places;
}

void LayoutPass(Places& p, double W, double H, bool dirsHidden, bool optionsHidden) {
    TwipRect& lstSort = p["lstSort"];
    TwipRect& options0 = p["lblOptions(0)"];
    TwipRect& options1 = p["lblOptions(1)"];
    TwipRect& cmdRef = p["cmdRef"];

    p["lblDot"].left = W - 1480;
    p["txtExtension"].left = W - 1200;
    SetSize(p["lblDirs"].height, H - 300);
    SetSize(p["lblDirs2"].height, p["lblDirs"].height);
    SetSize(p["frmDirs"].height, H - 200);
    SetSize(p["lstPath"].height, H - 1200);
    SetSize(lstSort.height, H - 1270);
    options0.left = W - 320;
    options1.left = W - 320;
    SetSize(options0.height, (H - p["txtExtension"].height) / 2 - 500);
    options1.top = options0.top + options0.height;
    SetSize(options1.height, H / 2);

    // The folder panel takes 4560 twips: the same as the difference of the left edges that its
    // toggle gives the editor and the list.
    const double listWidth = dirsHidden ? W - 5850 : W - 10410;
    SetSize(p["txtFileName"].width, dirsHidden ? W - 1730 : W - 6290);
    SetSize(lstSort.width, listWidth);

    for (const char* frame : {"frmOptions", "frmEXIF", "frmID3"})
        p[frame].left = W - 5550;

    if (!optionsHidden) {
        cmdRef.left = p["frmOptions"].left - cmdRef.width;
    } else {
        cmdRef.left = W - 2 * cmdRef.width;
        // Widened from this pass's own width, so a refused width is not widened again and again.
        SetSize(lstSort.width, listWidth + 5170);
    }

    TwipRect& lstSel = p["lstSel"];
    lstSel.width = lstSort.width;
    lstSel.height = lstSort.height;
    lstSel.left = lstSort.left;
}
