// The tag frames: a photo's EXIF summary and list, a song's tags, and the controls of the date rule
// and of the tag rules.
#include "ui/frmFiles.h"

#include "ui/TypeMark.h"
#include "batch/FileFactsOf.h"
#include "exif/clsEXIF.h"
#include "rename/RuleChain.h"
#include "tags/AudioTags.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <iterator>

namespace {

// The ID3 frame's rows in the order of lblID3 and lblID3Name.
constexpr QString AudioTags::*kId3Fields[] = {&AudioTags::Title, &AudioTags::Artist, &AudioTags::Album,
                                              &AudioTags::Year,  &AudioTags::Track,  &AudioTags::Genre,
                                              &AudioTags::Length};
static_assert(std::ssize(kId3Fields) == decltype(frmFiles::lblID3)::Count());

} // namespace

void frmFiles::ConnectTagHandlers() {
    for (QCheckBox* box : {chkDateTaken, chkPhotoTags, chkAudioTags})
        connect(box, &QCheckBox::clicked, this, [this] { chkOptions_Click(0); });

    // The bold "A" of "Album:" reaches a pixel left of where its line starts.
    for (QLabel* caption : lblID3Name)
        caption->setContentsMargins(1, 0, 0, 0);
}

void frmFiles::ShowFileTags() {
    const QString item = CurrentEntry.Text;
    if (frmEXIF->isVisibleTo(this) && IsPhotoFile(item))
        ShowExifTags();
    if (frmID3->isVisibleTo(this) && TagFrameFor(GetExtension(item)) == TagFrame::Id3)
        ShowId3Tags();
}

void frmFiles::ShowExifTags() {
    clsEXIF reader;
    ReadExifOf(CurrentFileNative(), reader);
    reader.ListEXIF(frmEXIF, 1);
    txtEXIF->setPlainText(reader.ListInfo().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmFiles::ShowId3Tags() {
    const AudioTags tags = ReadAudioTags(CurrentFileNative());
    for (int i = 0; i < lblID3.Count(); ++i)
        lblID3[i]->setText(tags.*kId3Fields[i]);
}
