// The tag frames: a photo's EXIF summary and list, a song's tags, and the controls of the date rule
// and of the tag rules.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/ControlTable.h"
#include "ui/TypeMark.h"
#include "batch/FileFactsOf.h"
#include "exif/clsEXIF.h"
#include "rename/RuleChain.h"
#include "tags/AudioTags.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

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
    // However the rule is switched (a click, the settings file), the options panel shows it.
    connect(chkDateTaken, &QCheckBox::toggled, this, &frmFiles::ShowDateRule);
    connect(chkDateRule, &QCheckBox::clicked, this, [this] { chkDateRule_Click(); });
    state_->tagsTimer = new QTimer(this);
    state_->tagsTimer->setInterval(15);
    connect(state_->tagsTimer, &QTimer::timeout, this, [this] { TakeTagsRead(); });

    // The bold "A" of "Album:" reaches a pixel left of where its line starts.
    for (QLabel* caption : lblID3Name)
        caption->setContentsMargins(1, 0, 0, 0);
}

// The tags are read on a thread of their own: a file that answers at once shows at once, one on a
// slow medium when its tags are in, and meanwhile the frames stand empty rather than show the tags
// of the file before.
void frmFiles::ShowFileTags() {
    const QString item = CurrentEntry.Text;
    const bool exif = frmEXIF->isVisibleTo(this) && IsPhotoFile(item);
    const bool id3 = frmID3->isVisibleTo(this) && TagFrameFor(GetExtension(item)) == TagFrame::Id3;
    state_->tagsTimer->stop();
    state_->tagsRead = {};
    if (!exif && !id3)
        return;
    const QByteArray path = CurrentFileNative();
    state_->tagsRead = DetachedWork<FileTagsRead>([path, exif, id3] {
        FileTagsRead read;
        if (exif) {
            read.Exif.emplace();
            ReadExifOf(path, *read.Exif);
        }
        if (id3)
            read.Audio = ReadAudioTags(path);
        return read;
    });
    if (state_->tagsRead.WaitFor(std::chrono::milliseconds(PreviewWaitMs))) {
        FileTagsRead read = state_->tagsRead.Take();
        ShowTags(read);
        return;
    }
    FileTagsRead empty{exif ? std::optional<clsEXIF>(std::in_place) : std::nullopt,
                       id3 ? std::optional<AudioTags>(std::in_place) : std::nullopt};
    ShowTags(empty);
    state_->tagsTimer->start();
}

void frmFiles::TakeTagsRead() {
    if (!state_->tagsRead.WaitFor(std::chrono::milliseconds(0)))
        return;
    state_->tagsTimer->stop();
    FileTagsRead read = state_->tagsRead.Take();
    ShowTags(read);
}

void frmFiles::ShowTags(FileTagsRead& read) {
    if (read.Exif) {
        read.Exif->ListEXIF(frmEXIF, 1);
        txtEXIF->setPlainText(read.Exif->ListInfo().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    if (read.Audio)
        for (int i = 0; i < lblID3.Count(); ++i)
            lblID3[i]->setText((*read.Audio).*kId3Fields[i]);
    NameTagValues();
}

void frmFiles::NameTagValues() {
    for (const ControlSpec& c : ControlTable()) {
        if (!(c.flags & ControlFlag::ShowsValue))
            continue;
        auto* label = qobject_cast<QLabel*>(state_->widgets.value(QString::fromLatin1(c.name)));
        const QString caption = QString::fromUtf8(c.accessibleName);
        const QString value = label->text();
        // "Blende: f 2.8" names itself.
        label->setAccessibleName(value.isEmpty()             ? caption
                                 : value.startsWith(caption) ? value
                                                             : caption + QStringLiteral(": ") + value);
    }
}

void frmFiles::ShowDateRule(bool on) {
    chkDateRule->setChecked(on);
    chkDateRule->setVisible(on);
}

void frmFiles::chkDateRule_Click() {
    chkDateTaken->setChecked(chkDateRule->isChecked());
    chkOptions_Click(0); // as a click on the rule's own box
}
