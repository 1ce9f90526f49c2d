#include "ShowMessage.h"

#include <QMessageBox>
#include <QString>

namespace {

const char* const kProgramTitle = "Tarvo's Varnello";

} // namespace

void ShowMessage(const QString& text, int kind, const QString& title, QWidget* parent) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case MessageInformation:
        icon = QMessageBox::Information;
        break;
    case MessageWarning:
        icon = QMessageBox::Warning;
        break;
    case MessageError:
        icon = QMessageBox::Critical;
        break;
    case MessageQuestion:
        icon = QMessageBox::Question;
        break;
    default:
        return;
    }
    QMessageBox box(icon, title.isEmpty() ? QString::fromUtf8(kProgramTitle) : title, text, QMessageBox::Ok,
                    parent);
    box.exec();
}
