#include "app/ApplicationIcon.h"

QIcon ApplicationIcon() {
    return QIcon(QStringLiteral(":/varnello/varnello.svg"));
}
