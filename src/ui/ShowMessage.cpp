#include "ui/ShowMessage.h"

#include <QMessageBox>
#include <QString>

QString ProgramTitle() {
    return QStringLiteral("Tarvo's Varnello");
}

void ShowMessage(const QString& text, int kind, const QString& title, QWidget* parent) {
    // Icons by kind, from MessageInformation on.
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Information, QMessageBox::Warning,
                                                   QMessageBox::Critical, QMessageBox::Question};
    if (kind < MessageInformation || kind > MessageQuestion)
        return;
    const QMessageBox::Icon icon = kIcons[kind - MessageInformation];
    QMessageBox box(icon, title.isEmpty() ? ProgramTitle() : title, text, QMessageBox::Ok, parent);
    box.exec();
}
