#include "ShowMessage.h"

#include <QMessageBox>
#include <QString>

namespace {

const char* const kProgramTitle = "Tarvo's Varnello";

} // namespace

void ShowMessage(const QString& text, int kind, const QString& title, QWidget* parent) {
    // Icons by kind, from MessageInformation on.
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Information, QMessageBox::Warning,
                                                   QMessageBox::Critical, QMessageBox::Question};
    if (kind < MessageInformation || kind > MessageQuestion)
        return;
    const QMessageBox::Icon icon = kIcons[kind - MessageInformation];
    QMessageBox box(icon, title.isEmpty() ? QString::fromUtf8(kProgramTitle) : title, text, QMessageBox::Ok,
                    parent);
    box.exec();
}
