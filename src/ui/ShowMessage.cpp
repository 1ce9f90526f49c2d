#include "ui/ShowMessage.h"

#include <QMessageBox>
#include <QString>

#include <optional>

QString ProgramTitle() {
    return QStringLiteral("Tarvo's Varnello");
}

namespace {

std::optional<QMessageBox::Icon> IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Question:
        return QMessageBox::Question;
    }
    return std::nullopt; // a number from outside that names no kind
}

} // namespace

void ShowMessage(const QString& text, MessageKind kind, const QString& title, QWidget* parent) {
    const std::optional<QMessageBox::Icon> icon = IconOf(kind);
    if (!icon)
        return;
    QMessageBox box(*icon, title.isEmpty() ? ProgramTitle() : title, text, QMessageBox::Ok, parent);
    box.exec();
}
