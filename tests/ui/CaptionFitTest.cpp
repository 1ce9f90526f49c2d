// Every caption the window shows can be read whole: it lies inside its control's text area and
// every container, and no box placed over the control hides it. CTest runs this at scale factors
// 1 and 2. Needs the fonts the run set-up installs.
#include "app/DesignFonts.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// Where the control draws its caption, and whether centred there.
QRect TextArea(QWidget* w, bool& centred) {
    centred = qobject_cast<QPushButton*>(w) != nullptr;
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->contentsRect();
    auto* button = qobject_cast<QAbstractButton*>(w);
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    const QStyle::SubElement area = qobject_cast<QCheckBox*>(w)      ? QStyle::SE_CheckBoxContents
                                    : qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                                     : QStyle::SE_PushButtonContents;
    return w->style()->subElementRect(area, &opt, w);
}

QString Caption(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    return {};
}

// What hides part of one control's caption, one line per piece of text that cannot be read whole.
// A caption's runs of two or more blanks leave room for a box and need not be visible; the pieces
// between them are checked by their ink, each up to its last non-blank character. Qt clips the text
// to the control's text area only when the caption's line box does not fit there; otherwise the
// control's own edges clip it.
QStringList Faults(QWidget* form, QWidget* w) {
    const QString caption = Caption(w);
    bool centred = false;
    const QRectF area = TextArea(w, centred);
    const QFontMetricsF fm(w->font(), w);
    const double lineWidth = fm.horizontalAdvance(caption);
    const QRectF line(area.left() + (centred ? (area.width() - lineWidth) / 2 : 0.0),
                      area.top() + (area.height() - fm.height()) / 2, lineWidth, fm.height());
    const QRectF clip = area.contains(line) ? QRectF(w->rect()) : area;
    const auto fault = [&](const QString& piece, const QString& what) {
        const QFontInfo face(w->font());
        return QStringLiteral("%1 \"%2\" (%3 %4 px): %5")
            .arg(w->objectName(), piece, face.family())
            .arg(face.pixelSize())
            .arg(what);
    };

    QStringList faults;
    static const QRegularExpression kPiece(QStringLiteral("\\S+( \\S+)*"));
    for (const QRegularExpressionMatch& m : kPiece.globalMatch(caption)) {
        const QString piece = m.captured();
        const QRectF ink = fm.tightBoundingRect(piece).translated(
            line.left() + fm.horizontalAdvance(caption.left(m.capturedStart())), line.top() + fm.ascent());
        if (!clip.contains(ink)) {
            faults << fault(piece, QStringLiteral("cut: ink %1..%2 px, room %3..%4 px")
                                       .arg(ink.left(), 0, 'f', 1)
                                       .arg(ink.right(), 0, 'f', 1)
                                       .arg(clip.left(), 0, 'f', 1)
                                       .arg(clip.right(), 0, 'f', 1));
            continue;
        }
        for (QWidget* c = w->parentWidget(); c != form->parentWidget(); c = c->parentWidget())
            if (!QRectF(c->rect()).contains(QRectF(w->mapTo(c, ink.topLeft().toPoint()), ink.size())))
                faults << fault(piece, QStringLiteral("runs out of ") + c->objectName());
        for (QObject* o : w->parentWidget()->children()) {
            auto* sibling = qobject_cast<QWidget*>(o);
            if (sibling != nullptr && sibling != w && sibling->isVisibleTo(form) &&
                QRectF(sibling->geometry()).intersects(ink.translated(w->pos())))
                faults << fault(piece, QStringLiteral("overlaps ") + sibling->objectName());
        }
    }
    return faults;
}

// The faults of every caption the window shows now.
QStringList CaptionFaults(QWidget* form) {
    QStringList faults;
    int checked = 0;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (Caption(w).trimmed().isEmpty() || !w->isVisibleTo(form))
            continue;
        ++checked;
        faults += Faults(form, w);
    }
    EXPECT_GT(checked, 0);
    return faults;
}

class CaptionFit : public WindowTest {
protected:
    static void SetUpTestSuite() { LoadDesignFonts(); }
    void SetUp() override {
        StartIn(tree.Path());
        form->show();
    }
};

TEST_F(CaptionFit, EveryShownCaptionFitsWithTheFolderPanelClosedAndOpen) {
    EXPECT_EQ(CaptionFaults(form.get()).join(u'\n'), QString());
    form->lblDirs_MouseDown();
    ASSERT_TRUE(form->cmdRoot->isVisibleTo(form.get()));
    EXPECT_EQ(CaptionFaults(form.get()).join(u'\n'), QString());
}

TEST_F(CaptionFit, TheTagFramesCaptionsAndLongSummaryTextsFit) {
    form->frmEXIF->show();
    form->frmID3->show();
    form->lblCam[1]->setText("Canon PowerShot SX710 HS");
    form->lblBlende[1]->setText("Blende: f 22.0");
    form->lblExp[1]->setText("Belichtung: 1/4000s");
    form->lblTimeDate[1]->setText("2004:05:12  -  14:33:10");
    form->lblISO[1]->setText("ISO 12800");
    form->lblEXIFTime->setText("12.05.2004 14:33:10");
    EXPECT_EQ(CaptionFaults(form.get()).join(u'\n'), QString());
}

TEST_F(CaptionFit, ACaptionCutAtItsEndOrUnderABoxIsFound) {
    form->cmdBatch->resize(form->cmdBatch->width() / 2, form->cmdBatch->height());
    form->txtLast->move(form->txtLast->x() + form->txtLast->width(), form->txtLast->y());
    const QStringList faults = CaptionFaults(form.get());
    ASSERT_EQ(faults.size(), 2) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("chkOptions(3) \"Zeichen entfernen\"")))
        << faults[0].toStdString();
    EXPECT_TRUE(faults[0].endsWith(QStringLiteral("overlaps txtLast"))) << faults[0].toStdString();
    EXPECT_TRUE(faults[1].startsWith(QStringLiteral("cmdBatch \"Auf ausgew"))) << faults[1].toStdString();
}

} // namespace
