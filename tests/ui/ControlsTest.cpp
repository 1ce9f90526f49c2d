#include "ui/ControlTable.h"
#include "ui/Rgb.h"
#include "ui/TypingLimit.h"
#include "support/WindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <set>
#include <string>

namespace {

class Controls : public WindowTest {
protected:
    void SetUp() override { StartIn(tree.Path()); }
    QWidget* Named(const char* name) const { return form->findChild<QWidget*>(QString::fromLatin1(name)); }
};

TEST_F(Controls, EveryRowOfTheTableIsOneNamedControlInItsContainer) {
    std::set<std::string> names;
    for (const ControlSpec& c : ControlTable()) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(names.insert(c.name).second) << "name used twice";
        QWidget* w = Named(c.name);
        ASSERT_NE(w, nullptr);
        const QString container = c.container ? QString::fromLatin1(c.container) : QStringLiteral("frmFiles");
        EXPECT_EQ(w->parentWidget()->objectName(), container);
        EXPECT_EQ(w->toolTip(), QString::fromUtf8(c.tooltip));
        if (c.font.family != nullptr) {
            EXPECT_EQ(w->font().family(), QString::fromLatin1(c.font.family));
            EXPECT_DOUBLE_EQ(w->font().pointSizeF(), c.font.points);
            EXPECT_EQ(w->font().bold(), c.font.bold);
        }
        if (c.flags & ControlFlag::SizeWECursor) {
            EXPECT_EQ(w->cursor().shape(), Qt::SizeHorCursor);
        }
    }
    EXPECT_EQ(names.size(), 93u);
}

TEST_F(Controls, ArraysAndMembersAreTheNamedControls) {
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(form->chkOptions[i]->objectName(), QStringLiteral("chkOptions(%1)").arg(i));
    EXPECT_EQ(form->optGK[2]->text(), "Erster Buchstabe pro Wort in Grossbuchstaben");
    EXPECT_EQ(form->chkOptions[7]->text(), QString::fromUtf8("ZÄHLER"));
    EXPECT_EQ(form->cmdBack->toolTip(), QString::fromUtf8("eine Verzeichnisebene höher"));
    EXPECT_EQ(form->lblOptions[1]->toolTip(),
              QString::fromUtf8("Wenn farbig markiert, dann klicken für Datei-Tags"));
    EXPECT_EQ(form->txtList->text(), "48,50,52,53,55,57,59,60,62,64,65,67,69,71,72");
    EXPECT_EQ(form->txtTrenn->text(), " - ");
    EXPECT_EQ(TypingLimitOf(form->txtRep), 2);
    EXPECT_EQ(TypingLimitOf(form->txtCnt), 1);
    EXPECT_EQ(TypingLimitOf(form->txtCount), 3);
    EXPECT_EQ(TypingLimitOf(form->txtFind), 0);
    EXPECT_EQ(form->lstSel->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(form->lstSort->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_TRUE(form->lstSel->uniformItemSizes());
    for (QWidget* list : {static_cast<QWidget*>(form->lstSel), static_cast<QWidget*>(form->lstSort),
                          static_cast<QWidget*>(form->lstPath)})
        EXPECT_TRUE(list->acceptDrops());
    EXPECT_EQ(form->windowTitle(), "Brimwick Varnello");
}

TEST_F(Controls, TypingIsLimitedButTextsSetByTheProgramStayWhole) {
    form->txtFirst->setFocus();
    form->txtFirst->clear();
    QTest::keyClicks(form->txtFirst, "1234");
    EXPECT_EQ(form->txtFirst->text(), "12");
    form->txtCnt->setText("99999999");
    EXPECT_EQ(form->txtCnt->text(), "99999999");
}

TEST_F(Controls, OnlyTheDesignedControlsStartDisabled) {
    std::set<std::string> disabled;
    for (QWidget* w : form->frmOptions->findChildren<QWidget*>())
        if (!w->isEnabledTo(form->frmOptions))
            disabled.insert(w->objectName().toStdString());
    const std::set<std::string> expected{"optGK(0)",   "optGK(1)",  "optGK(2)",      "txtString",
                                         "optPos(0)",  "optPos(1)", "chkOptions(8)", "chkOptions(9)",
                                         "txtCnt",     "lblCnt",    "txtCount",      "optPos2(0)",
                                         "optPos2(1)", "lblTrenn",  "txtTrenn",      "txtList"};
    EXPECT_EQ(disabled, expected);
    EXPECT_TRUE(form->txtNewName->isEnabled());
}

TEST_F(Controls, StateAfterLoading) {
    EXPECT_TRUE(form->DirsHidden);
    EXPECT_FALSE(form->OptionsHidden);
    EXPECT_FALSE(form->TagsFlag);
    EXPECT_FALSE(form->NameMouseDown);
    EXPECT_TRUE(form->frmDirs->isHidden());
    EXPECT_FALSE(form->frmOptions->isHidden());
    EXPECT_TRUE(form->frmEXIF->isHidden());
    EXPECT_TRUE(form->frmID3->isHidden());
    EXPECT_TRUE(form->frmPaths->isHidden());
    EXPECT_FALSE(form->lstSel->isHidden());
    EXPECT_TRUE(form->lstSort->isHidden());
    EXPECT_TRUE(form->mnuSelect->isChecked());
    EXPECT_FALSE(form->mnuMove->isChecked());
    EXPECT_EQ(form->mnuPop->title(), "Popup");
    EXPECT_EQ(form->mnuSelect->text(), QString::fromUtf8("Auswählen"));
    EXPECT_EQ(form->mnuMove->text(), "Verschieben");
    EXPECT_TRUE(form->optGK[2]->isChecked());
    EXPECT_TRUE(form->optPos[1]->isChecked());
    EXPECT_TRUE(form->optPos2[0]->isChecked());
    EXPECT_EQ(form->txtFileName->text(), "");
    EXPECT_EQ(form->txtExtension->text(), "");
    for (const char* frame : {"frmOptions", "frmEXIF", "frmID3"})
        EXPECT_EQ(form->Place(frame).top, 620);
    EXPECT_EQ(form->lblOptions[1]->palette().color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_EQ(form->cmdBatch->palette().color(QPalette::Button), QColor(0, 192, 0));
    // cmdDummy lies outside the window; the program parks the focus there, Tab never does.
    EXPECT_GT(form->cmdDummy->x(), form->width());
    EXPECT_EQ(form->cmdDummy->focusPolicy(), Qt::NoFocus);
}

// What a screen reader reads, through the accessibility interfaces it is served from.
TEST_F(Controls, EveryControlHasAnAccessibleName) {
    const auto name = [&](const char* control) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(Named(control));
        return a != nullptr ? a->text(QAccessible::Name) : QString();
    };
    for (const ControlSpec& c : ControlTable())
        EXPECT_FALSE(name(c.name).trimmed().isEmpty()) << c.name;
    EXPECT_EQ(name("txtFirst"), "Die ersten N Zeichen entfernen: Anzahl"); // a box inside a caption
    EXPECT_EQ(name("cmdRef"), "Quelle neu einlesen");                      // an icon, by its tooltip
    EXPECT_EQ(name("optGK(2)"), "Erster Buchstabe pro Wort in Grossbuchstaben");
    EXPECT_EQ(name("lstSel"), "Dateien");
}

// A dark desktop theme gives light text; where the window paints a light colour of the design,
// the text on it must stay dark.
TEST_F(Controls, UnderADarkPaletteTextOnTheDesignsColoursStaysReadable) {
    form.reset();
    const QPalette saved = QApplication::palette();
    QPalette dark;
    for (const auto& [role, colour] : {std::pair{QPalette::Window, QColor(45, 45, 45)},
                                       {QPalette::WindowText, QColor(235, 235, 235)},
                                       {QPalette::Base, QColor(30, 30, 30)},
                                       {QPalette::Text, QColor(235, 235, 235)},
                                       {QPalette::Button, QColor(60, 60, 60)},
                                       {QPalette::ButtonText, QColor(235, 235, 235)}})
        dark.setColor(role, colour);
    QApplication::setPalette(dark);
    StartIn(tree.Path());
    const auto contrast = [](const QWidget* text, QPalette::ColorRole fore, const QWidget* under,
                             QPalette::ColorRole back) {
        return Contrast(text->palette().color(fore).rgb(), under->palette().color(back).rgb());
    };
    EXPECT_GE(contrast(form->chkOptions[7], QPalette::WindowText, form->Frame1, QPalette::Window), 4.5);
    EXPECT_GE(contrast(form->chkOptions[10], QPalette::WindowText, form->Frame2, QPalette::Window), 4.5);
    // Disabled captions stay faint, but dark on the light panel, as under a light theme.
    ASSERT_FALSE(form->lblCnt->isEnabled());
    EXPECT_LT(Luminance(form->lblCnt->palette().color(QPalette::Disabled, QPalette::WindowText).rgb()),
              Luminance(form->Frame1->palette().color(QPalette::Window).rgb()));
    EXPECT_GE(contrast(form->lstSel, QPalette::Text, form->lstSel, QPalette::Base), 4.5);
    EXPECT_GE(contrast(form->cmdBatch, QPalette::ButtonText, form->cmdBatch, QPalette::Button), 4.5);
    EXPECT_GE(contrast(form->lblDot, QPalette::WindowText, form.get(), QPalette::Window), 4.5);
    form.reset();
    QApplication::setPalette(saved);
}

} // namespace
