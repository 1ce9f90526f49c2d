#include "exif/clsEXIF.h"

#include "exif/HeadReader.h"
#include "exif/TagTable.h"

#include <QObject>
#include <QVariant>

#include <array>

// The camera summary: a few entries of the file read, found by the start of their name, written
// into labels of a panel that are found by objectName ("lblCam(1)", "chkFreeze"). Works on any
// QObject tree: a label takes its caption through the "text" property, the freeze check box is
// read through "checked". A control the panel lacks is skipped.

namespace {

enum class SummaryKey {
    Model,
    ApertureValue,
    ShutterSpeedValue,
    FNumber,
    ExposureTime,
    DateTimeOriginal,
    ISOSpeedRatings
};

struct KeyRow {
    QLatin1StringView key;
    SummaryKey what;
};

constexpr std::array<KeyRow, 7> Keys{{
    {QLatin1StringView("model"), SummaryKey::Model},
    {QLatin1StringView("aperturevalue"), SummaryKey::ApertureValue},
    {QLatin1StringView("shutterspeedvalue"), SummaryKey::ShutterSpeedValue},
    {QLatin1StringView("fnumber"), SummaryKey::FNumber},
    {QLatin1StringView("exposuretime"), SummaryKey::ExposureTime},
    {QLatin1StringView("datetimeoriginal"), SummaryKey::DateTimeOriginal},
    {QLatin1StringView("isospeedratings"), SummaryKey::ISOSpeedRatings},
}};

// A name matches a key when its first characters, as many as the key has, are the key in lower case.
bool Matches(const QString& name, QLatin1StringView key) {
    return name.size() >= key.size() &&
           QStringView(name).first(key.size()).compare(key, Qt::CaseInsensitive) == 0;
}

QObject* Control(QObject* panel, const QString& name) {
    return panel->findChild<QObject*>(name);
}

QObject* Control(QObject* panel, const char* array, qint16 index) {
    return Control(panel,
                   QLatin1StringView(array) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')'));
}

void SetCaption(QObject* control, const QString& caption) {
    if (control)
        control->setProperty("text", caption);
}

// "2004:05:12 14:33:10" gives the date "2004:05:12" and the time "14:33:10"; a shorter text gives
// what it has.
QString DateAndTime(const QString& text) {
    return text.left(10) + QStringLiteral("  -  ") + text.right(8);
}

} // namespace

void clsEXIF::ListEXIF(QObject* iFrm, qint16 iSide) const {
    if (m_Status != ExifStatus::Parsed || !iFrm)
        return;
    const HeadReader head = Head();
    for (qsizetype i = 1; i < m_TagList.size(); ++i) {
        const QString* name = ExifTags::KnownName(m_TagList[i].Tag);
        if (!name)
            continue; // "Tag #n" matches no key
        for (const KeyRow& row : Keys) {
            if (!Matches(*name, row.key))
                continue;
            // Only the few entries the summary shows are turned into text.
            const QString t = DecodeValue(head, m_TagList[i]);
            switch (row.what) {
            case SummaryKey::Model:
                SetCaption(Control(iFrm, "lblCam", iSide), t);
                break;
            case SummaryKey::ApertureValue:
            case SummaryKey::FNumber:
                SetCaption(Control(iFrm, "lblBlende", iSide), QStringLiteral("Blende: f ") + t);
                break;
            case SummaryKey::ShutterSpeedValue:
            case SummaryKey::ExposureTime:
                SetCaption(Control(iFrm, "lblExp", iSide),
                           QStringLiteral("Belichtung: 1/") + t + QLatin1Char('s'));
                break;
            case SummaryKey::DateTimeOriginal: {
                SetCaption(Control(iFrm, "lblTimeDate", iSide), DateAndTime(t));
                // A missing check box counts as not ticked.
                const QObject* freeze = Control(iFrm, QStringLiteral("chkFreeze"));
                if (freeze && freeze->property("checked").toBool())
                    break;
                const QString date = t.left(10);
                SetCaption(Control(iFrm, QStringLiteral("lblEXIFTime")),
                           date.right(2) + QLatin1Char('.') + date.mid(5, 2) + QLatin1Char('.') +
                               date.left(4) + QLatin1Char(' ') + t.right(8));
                break;
            }
            case SummaryKey::ISOSpeedRatings:
                SetCaption(Control(iFrm, "lblISO", iSide), QStringLiteral("ISO ") + t);
                break;
            }
        }
    }
}

void clsEXIF::ListEXIF2(QObject* iFrm) const {
    if (m_Status != ExifStatus::Parsed || !iFrm)
        return;
    const HeadReader head = Head();
    for (qsizetype i = 1; i < m_TagList.size(); ++i) {
        const QString* name = ExifTags::KnownName(m_TagList[i].Tag);
        if (name && Matches(*name, QLatin1StringView("datetimeoriginal")))
            SetCaption(Control(iFrm, "lblTimeDate", 2), DateAndTime(DecodeValue(head, m_TagList[i])));
    }
}
