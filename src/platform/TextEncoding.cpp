#include "platform/TextEncoding.h"

#include <QStringDecoder>

QString DecodeWindows1252(const QByteArray& bytes) {
    // Qt's decoder (ICU's table) maps all 256 bytes as Windows does, the five undefined ones to the
    // C1 controls of the same number.
    QStringDecoder windows1252("windows-1252");
    return windows1252(bytes);
}

QString DecodeUtf8OrWindows1252(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes);
}
