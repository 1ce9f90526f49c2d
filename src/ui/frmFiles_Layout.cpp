// The layout pass and the strips on the right edge.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/TypeMark.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

double frmFiles::OuterWidth() const {
    return PixelsToTwips(frameGeometry().width());
}

double frmFiles::OuterHeight() const {
    return PixelsToTwips(frameGeometry().height());
}

void frmFiles::Form_Resize() {
    LayoutPass(state_->places, OuterWidth(), OuterHeight(), DirsHidden, OptionsHidden);
    ApplyPlaces();
}

void frmFiles::SetLeft(const QString& name, double twips) {
    state_->places[name].left = twips;
}

void frmFiles::SetTop(const QString& name, double twips) {
    state_->places[name].top = twips;
}

void frmFiles::ApplyPlaces() {
    for (auto it = state_->places.cbegin(); it != state_->places.cend(); ++it) {
        QWidget* w = state_->widgets.value(it.key());
        if (w == nullptr)
            continue;
        const TwipRect& r = it.value();
        w->setGeometry(TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
                       TwipsToPixels(r.height));
    }
}

void frmFiles::lblOptions_MouseDown(int index) {
    if (index == 0) {
        frmOptions->setVisible(OptionsHidden);
        OptionsHidden = !OptionsHidden;
    } else if (index == 1) {
        QFrame* frame = nullptr;
        switch (TagFrameFor(txtExtension->text())) {
        case TagFrame::Exif:
            frame = frmEXIF;
            break;
        case TagFrame::Id3:
            frame = frmID3;
            break;
        case TagFrame::None:
            break;
        }
        if (frame != nullptr) {
            frame->setVisible(TagsFlag);
            TagsFlag = !TagsFlag;
            ShowFileTags();
        }
    }
    Form_Resize();
}

void frmFiles::lblOptions_DblClick(int index) {
    lblOptions_MouseDown(index);
}
