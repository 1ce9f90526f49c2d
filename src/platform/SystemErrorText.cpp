#include "platform/SystemErrorText.h"

#include <cstring>

QString SystemErrorText(int error) {
    // The messages come in the locale's encoding, which Qt takes as the local 8-bit one.
    return QString::fromLocal8Bit(std::strerror(error));
}
