// Feeds arbitrary bytes as a file head through the whole EXIF reader: the parse, the list, queries
// of the tags the data names and the summary writer on a panel of plain objects.
#include "exif/clsEXIF.h"

#include <QObject>
#include <QVariant>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// A panel of plain QObjects named as the window's labels; they take captions as dynamic properties.
std::unique_ptr<QObject> MakePanel() {
    auto panel = std::make_unique<QObject>();
    for (const char* array : {"lblCam", "lblBlende", "lblExp", "lblTimeDate", "lblISO"}) {
        for (int side = 1; side <= 2; ++side) {
            auto* label = new QObject(panel.get());
            label->setObjectName(QString::fromLatin1(array) + QLatin1Char('(') + QString::number(side) +
                                 QLatin1Char(')'));
        }
    }
    auto* freeze = new QObject(panel.get());
    freeze->setObjectName(QStringLiteral("chkFreeze"));
    auto* time = new QObject(panel.get());
    time->setObjectName(QStringLiteral("lblEXIFTime"));
    return panel;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::unique_ptr<QObject> panel = MakePanel();
    clsEXIF reader;
    reader.ReadHead(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString list = reader.ListInfo(); // every entry's text
    // MetaInfo walks the list: asked about every entry, it would spend the run on a search that
    // grows with the square of the entries, so it is asked about the first few.
    QString text;
    const qsizetype asked = qMin<qsizetype>(reader.TagList().size(), 9);
    for (qsizetype i = 1; i < asked; ++i)
        reader.MetaInfo(reader.TagList()[i].Tag, text);
    reader.MetaInfo(size >= 2 ? data[0] | (data[1] << 8) : 0, text);
    panel->findChild<QObject*>(QStringLiteral("chkFreeze"))->setProperty("checked", size % 2 == 0);
    reader.ListEXIF(panel.get(), qint16(size % 3));
    reader.ListEXIF2(panel.get());
    // A second read into the same reader replaces the first one's state, or keeps it when it finds
    // no marker; the entries left are still decoded from the head they were read from.
    reader.ReadHead(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size / 2)));
    text = reader.EntryText(reader.TagList().size() - 1);
    return list.size() < 0 ? 1 : 0;
}
