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
    NameTagValues();
}

void frmFiles::ShowId3Tags() {
    const AudioTags tags = ReadAudioTags(CurrentFileNative());
    for (int i = 0; i < lblID3.Count(); ++i)
        lblID3[i]->setText(tags.*kId3Fields[i]);
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
