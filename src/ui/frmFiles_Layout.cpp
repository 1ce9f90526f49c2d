// The layout pass and the strips on the right edge.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/CenterForm.h"
#include "ui/TypeMark.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Before the window system has framed the window, a frame as desktops commonly draw one.
constexpr QMargins kUsualFrame{2, 32, 2, 2};

} // namespace

double frmFiles::OuterWidth() const {
    return PixelsToTwips(frameGeometry().width() + state_->contentExcess.width());
}

double frmFiles::OuterHeight() const {
    return PixelsToTwips(frameGeometry().height() - state_->statusHeight + state_->contentExcess.height());
}

void frmFiles::Form_Resize() {
    PlaceContent();
    LayoutPass(state_->places, OuterWidth(), OuterHeight(), DirsHidden, OptionsHidden);
    ApplyPlaces();
    UpdateStatusLine(); // its text is cut to its width
}

void frmFiles::PlaceContent() {
    const QSize minimum = ContentMinimum(state_->places, DirsHidden);
    const QSize limit = state_->screenLimit;
    // The window keeps what it needs, unless the screen is smaller: then the content scrolls.
    setMinimumSize(std::min(minimum.width(), limit.width()),
                   std::min(minimum.height() + state_->statusHeight, limit.height()));
    const int status = state_->statusHeight;
    const QSize client(width(), height() - status);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const ContentView v = FitContent(client, minimum, bar);
    state_->contentExcess = v.content - client;
    sbrStatus->setGeometry(0, height() - status, width(), status);
    hsbContent->setGeometry(0, v.view.height(), v.view.width(), bar);
    vsbContent->setGeometry(v.view.width(), 0, bar, v.view.height());
    hsbContent->setRange(0, v.content.width() - v.view.width());
    vsbContent->setRange(0, v.content.height() - v.view.height());
    hsbContent->setPageStep(v.view.width());
    vsbContent->setPageStep(v.view.height());
    hsbContent->setVisible(v.hBar);
    vsbContent->setVisible(v.vBar);
}

void frmFiles::FitToScreen(const QRect& available) {
    QMargins frame = QMargins(
        geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
        frameGeometry().right() - geometry().right(), frameGeometry().bottom() - geometry().bottom());
    if (frame.isNull())
        frame = kUsualFrame;
    state_->screenLimit = available.marginsRemoved(frame).size().expandedTo(QSize(1, 1));
    const QSize fitting = size().boundedTo(state_->screenLimit);
    Form_Resize(); // the minimum follows the limit
    if (fitting != size()) {
        resize(fitting);
        CenterForm(*this);
    }
}

void frmFiles::wheelEvent(QWheelEvent* event) {
    // The wheel over what does not scroll itself scrolls the content.
    QScrollBar* bar = vsbContent->isVisible() ? vsbContent : hsbContent;
    if (bar->isVisible())
        QApplication::sendEvent(bar, event);
    else
        QWidget::wheelEvent(event);
}

void frmFiles::ScrollToShow(QWidget* w) {
    if (w == nullptr || w == static_cast<QWidget*>(cmdDummy) || !isAncestorOf(w) ||
        !(hsbContent->isVisible() || vsbContent->isVisible()))
        return;
    const QRect view(0, 0, vsbContent->isVisible() ? vsbContent->x() : width(),
                     hsbContent->isVisible() ? hsbContent->y() : height() - state_->statusHeight);
    const QRect at(w->mapTo(this, QPoint(0, 0)), w->size());
    const auto follow = [](QScrollBar* bar, int start, int end, int viewStart, int viewEnd) {
        if (end > viewEnd)
            bar->setValue(bar->value() + std::min(end - viewEnd, start - viewStart));
        else if (start < viewStart)
            bar->setValue(bar->value() - (viewStart - start));
    };
    follow(hsbContent, at.left(), at.right(), view.left(), view.right());
    follow(vsbContent, at.top(), at.bottom(), view.top(), view.bottom());
}

void frmFiles::SetLeft(const QString& name, double twips) {
    state_->places[name].left = twips;
}

void frmFiles::SetTop(const QString& name, double twips) {
    state_->places[name].top = twips;
}

void frmFiles::ApplyPlaces() {
    // The content scrolls by moving what lies on the window itself.
    const QPoint scrolled(hsbContent != nullptr ? hsbContent->value() : 0,
                          vsbContent != nullptr ? vsbContent->value() : 0);
    for (auto it = state_->places.cbegin(); it != state_->places.cend(); ++it) {
        QWidget* w = state_->widgets.value(it.key());
        if (w == nullptr)
            continue;
        const TwipRect& r = it.value();
        const QRect at(TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
                       TwipsToPixels(r.height));
        w->setGeometry(w->parentWidget() == this ? at.translated(-scrolled) : at);
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
