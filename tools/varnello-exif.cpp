// varnello-exif FILE...: prints the EXIF list the reader makes of each file, byte for byte as
// ListInfo gives it (CR LF line ends, UTF-8). With several files each list follows a line
// "==> FILE <==". Exit status 1 when a file could not be read, 2 on wrong usage.
#include "exif/clsEXIF.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList files = app.arguments().mid(1);
    if (files.isEmpty()) {
        std::fputs("usage: varnello-exif FILE...\n", stderr);
        return 2;
    }
    int result = 0;
    clsEXIF reader;
    for (const QString& file : files) {
        if (files.size() > 1)
            std::fputs(("==> " + file + " <==\r\n").toUtf8().constData(), stdout);
        reader.setImageFile(file);
        const QByteArray list = reader.ListInfo().toUtf8();
        std::fwrite(list.constData(), 1, std::size_t(list.size()), stdout);
        if (reader.Status() == ExifStatus::NotReadable) {
            std::fprintf(stderr, "varnello-exif: %s: %s\n", qPrintable(file),
                         qPrintable(reader.LastError().Description));
            result = 1;
        }
    }
    return result;
}
