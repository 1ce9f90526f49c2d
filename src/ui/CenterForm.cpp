#include "ui/CenterForm.h"

#include "ui/Twips.h"
#include "rename/RuleChain.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// The whole number nearest to x, a half going to the even neighbour.
long long Nearest(double x) {
    return static_cast<long long>(RoundHalfEven(x));
}

} // namespace

FormPlace CenterFormPlace(double screenWidth, double screenHeight, double formWidth, double formHeight) {
    FormPlace place;
    // Whole-number division truncating toward zero, as C++ does for integers.
    place.top = Nearest(screenHeight * 0.85) / 2 - Nearest(formHeight) / 2;
    place.left = Nearest(screenWidth) / 2 - Nearest(formWidth) / 2;
    if (place.top < 0)
        place.top = 0;
    if (place.left < 0)
        place.left = 0;
    return place;
}

void CenterForm(QWidget& form) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect s = screen->geometry();
    const QRect f = form.frameGeometry();
    const FormPlace place = CenterFormPlace(PixelsToTwips(s.width()), PixelsToTwips(s.height()),
                                            PixelsToTwips(f.width()), PixelsToTwips(f.height()));
    form.move(s.x() + TwipsToPixels(static_cast<double>(place.left)),
              s.y() + TwipsToPixels(static_cast<double>(place.top)));
}
