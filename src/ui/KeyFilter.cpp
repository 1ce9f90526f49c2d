#include "ui/KeyFilter.h"

#include <QKeyEvent>

namespace {

constexpr qint16 Backspace = 8;
constexpr qint16 CtrlC = 3;
constexpr qint16 CtrlV = 22;
constexpr qint16 Enter = 13;

} // namespace

std::optional<qint16> KeyPressCode(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Backspace) {
        return Backspace;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        return Enter;
    }
    if (event.modifiers().testFlag(Qt::ControlModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return static_cast<qint16>(key - Qt::Key_A + 1);
        }
        return std::nullopt;
    }
    const QString text = event.text();
    if (text.isEmpty() || text.front().unicode() < 32 || text.front().unicode() == 127) {
        return std::nullopt;
    }
    return static_cast<qint16>(text.front().unicode());
}

void FilterKey(qint16& key) {
    if (key == Backspace || key == CtrlC || key == CtrlV || key == Enter) {
        return;
    }
    if (key == '.' || key == ',') {
        return;
    }
    if (key >= '0' && key <= '9') {
        return;
    }
    key = 0;
}
