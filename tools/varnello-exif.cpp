// varnello-exif FILE...: prints the EXIF list the reader makes of each file, byte for byte as
// ListInfo gives it (CR LF line ends, UTF-8). With several files each list follows a line
// "==> FILE <==". Exit status 1 when a file could not be read, 2 on wrong usage.
#include "exif/clsEXIF.h"
#include "platform/FileHead.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace {

void Print(FILE* stream, const QByteArray& text) {
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stream);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: varnello-exif FILE...\n", stderr);
        return 2;
    }
    int result = 0;
    clsEXIF reader;
    for (int i = 1; i < argc; ++i) {
        // The file is opened by the argument's own bytes, so a name that is not valid UTF-8 (a
        // Latin-1 name from an old archive) still reaches its file; only what is printed of the
        // name is decoded, with U+FFFD for what does not decode.
        const QByteArray path(argv[i]);
        const QString name = QString::fromLocal8Bit(path);
        if (argc > 2)
            Print(stdout, "==> " + name.toUtf8() + " <==\r\n");
        const FileHead head = ReadFileHead(path, clsEXIF::HeadLength);
        reader.setImageFile(name, head.Bytes, head.Refusal);
        Print(stdout, reader.ListInfo().toUtf8());
        if (reader.Status() == ExifStatus::NotReadable) {
            Print(stderr,
                  "varnello-exif: " + name.toUtf8() + ": " + reader.LastError().Description.toUtf8() + '\n');
            result = 1;
        }
    }
    return result;
}
