#include "ui/CenterForm.h"
#include "ui/FormLayout.h"
#include "support/WindowFixture.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// The design width: lblOptions(0) at left 15120.
constexpr double kW = 15440;
constexpr double kH = 8700;

Places LaidOut(double W, double H, bool dirsHidden, bool optionsHidden) {
    Places p = DesignPlaces();
    const double left = dirsHidden ? 240 : 4800; // as the folder-panel toggle sets them
    p["txtFileName"].left = left;
    p["lstSort"].left = left;
    LayoutPass(p, W, H, dirsHidden, optionsHidden);
    return p;
}

TEST(LayoutPass, DesignWidthInAllFourPanelStates) {
    struct Case {
        bool dirsHidden, optionsHidden;
        double list, editor, cmdRef;
    };
    for (const Case c : {Case{false, false, 5030, 9150, 9545}, Case{true, false, 9590, 13710, 9545},
                         Case{true, true, 14760, 13710, 14750}, Case{false, true, 10200, 9150, 14750}}) {
        SCOPED_TRACE(testing::Message() << c.dirsHidden << c.optionsHidden);
        const Places p = LaidOut(kW, kH, c.dirsHidden, c.optionsHidden);
        EXPECT_EQ(p["lstSort"].width, c.list);
        EXPECT_EQ(p["txtFileName"].width, c.editor);
        EXPECT_EQ(p["cmdRef"].left, c.cmdRef);
        EXPECT_EQ(p["lstSel"], p["lstSort"]);
        EXPECT_EQ(p["frmOptions"].left, 9890);
        EXPECT_EQ(p["frmEXIF"].left, 9890);
        EXPECT_EQ(p["frmID3"].left, 9890);
        EXPECT_EQ(p["lblOptions(0)"].left, 15120);
        EXPECT_EQ(p["lblOptions(1)"].left, 15120);
        EXPECT_EQ(p["lblDot"].left, 13960);
        EXPECT_EQ(p["txtExtension"].left, 14240);
    }
}

TEST(LayoutPass, HeightsAndTheStripsOnTheRightEdge) {
    const Places p = LaidOut(kW, kH, true, false);
    EXPECT_EQ(p["lblDirs"].height, 8400);
    EXPECT_EQ(p["lblDirs2"].height, 8400);
    EXPECT_EQ(p["frmDirs"].height, 8500);
    EXPECT_EQ(p["lstPath"].height, 7500);
    EXPECT_EQ(p["lstSort"].height, 7430);
    EXPECT_EQ(p["lstSel"].height, 7430);
    EXPECT_EQ(p["lblOptions(0)"].height, (kH - 495) / 2 - 500);
    EXPECT_EQ(p["lblOptions(1)"].top, 720 + (kH - 495) / 2 - 500);
    EXPECT_EQ(p["lblOptions(1)"].height, kH / 2);
}

TEST(LayoutPass, NegativeSizesAreSkippedAndOthersStillApply) {
    Places p = LaidOut(kW, kH, false, false);
    LayoutPass(p, 9000, 250, false, false);
    EXPECT_EQ(p["lstSort"].width, 5030);       // 9000 - 10410 < 0: kept
    EXPECT_EQ(p["txtFileName"].width, 2710);   // applied
    EXPECT_EQ(p["lblDirs"].height, 8400);      // 250 - 300 < 0: kept
    EXPECT_EQ(p["lblOptions(1)"].height, 125); // applied
    EXPECT_EQ(p["lblDot"].left, 9000 - 1480);
    EXPECT_EQ(p["cmdRef"].left, 9000 - 5550 - 345); // still touches the options panel
    EXPECT_EQ(p["lstSel"], p["lstSort"]);
}

TEST(LayoutPass, RepeatedPassesOnATinyWindowDoNotWidenTheListAgainAndAgain) {
    Places p = LaidOut(kW, kH, true, true);
    for (int i = 0; i < 5; ++i)
        LayoutPass(p, 3000, 2000, true, true);
    EXPECT_EQ(p["lstSort"].width, 3000 - 5850 + 5170);
    for (int i = 0; i < 5; ++i)
        LayoutPass(p, 500, 2000, true, true);
    EXPECT_EQ(p["lstSort"].width, 3000 - 5850 + 5170); // 500 - 680 < 0: kept, not grown
}

TEST(CenterForm, ArithmeticOfTheExampleAndTies) {
    const FormPlace p = CenterFormPlace(15360, 11520, 15500, 8700);
    EXPECT_EQ(p.top, 546);
    EXPECT_EQ(p.left, 0); // -70 before the correction
    const FormPlace q = CenterFormPlace(15360, 11520, 1001, 501);
    EXPECT_EQ(q.left, 7680 - 500);
    EXPECT_EQ(q.top, 4896 - 250);
    // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
    EXPECT_EQ(CenterFormPlace(20000, 10000, 2.5, 0).left, 10000 - 1);
    EXPECT_EQ(CenterFormPlace(20000, 10000, 3.5, 0).left, 10000 - 2);
    EXPECT_EQ(CenterFormPlace(100, 100, 50, 5000).top, 0);
}

class WindowLayout : public WindowTest {
protected:
    void SetUp() override {
        StartIn(tree.Path());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    // The window applies the layout pass to its own outer size and panel states, and its widgets
    // stand where the places say.
    void ExpectFollowsTheWindow() const {
        Places expected =
            LaidOut(form->OuterWidth(), form->OuterHeight(), form->DirsHidden, form->OptionsHidden);
        expected["frmOptions"].top = 620; // where the load handling put it
        for (const char* name : {"lstSort", "lstSel", "txtFileName", "cmdRef", "frmOptions", "lblDot",
                                 "txtExtension", "lblOptions(0)", "lblOptions(1)"}) {
            SCOPED_TRACE(name);
            EXPECT_EQ(form->Place(name), expected[name]);
        }
        const TwipRect list = form->Place("lstSel");
        EXPECT_EQ(form->lstSel->geometry(), QRect(TwipsToPixels(list.left), TwipsToPixels(list.top),
                                                  TwipsToPixels(list.width), TwipsToPixels(list.height)));
        EXPECT_EQ(form->lstSel->geometry(), form->lstSort->geometry());
    }
};

TEST_F(WindowLayout, PanelTogglesReRunTheLayout) {
    ExpectFollowsTheWindow();
    QTest::mouseClick(form->lblDirs, Qt::LeftButton);
    EXPECT_FALSE(form->DirsHidden);
    EXPECT_FALSE(form->frmDirs->isHidden());
    ExpectFollowsTheWindow();

    QTest::mouseClick(form->lblOptions[0], Qt::RightButton); // any button
    EXPECT_TRUE(form->OptionsHidden);
    EXPECT_TRUE(form->frmOptions->isHidden());
    ExpectFollowsTheWindow();

    QTest::mouseClick(form->lblDirs2, Qt::LeftButton);
    EXPECT_TRUE(form->DirsHidden);
    EXPECT_TRUE(form->frmDirs->isHidden());
    ExpectFollowsTheWindow();

    form->lblOptions_DblClick(0);
    EXPECT_FALSE(form->OptionsHidden);
    ExpectFollowsTheWindow();
}

TEST_F(WindowLayout, ResizingMovesWhatFollowsTheWindow) {
    form->resize(1300, 700);
    QCoreApplication::processEvents();
    ExpectFollowsTheWindow();
    EXPECT_EQ(form->Place("txtExtension").left, form->OuterWidth() - 1200);
    EXPECT_EQ(form->txtExtension->x(), TwipsToPixels(form->OuterWidth() - 1200));
    form->resize(600, 300); // list width would be negative with both panels shown
    QTest::mouseClick(form->lblDirs, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_GE(form->Place("lstSort").width, 0);
    EXPECT_EQ(form->Place("lstSel"), form->Place("lstSort"));
}

TEST_F(WindowLayout, TagStripAlternatesOnlyForJpgAndMp3) {
    form->txtExtension->setText("jpeg");
    form->lblOptions_MouseDown(1);
    EXPECT_FALSE(form->TagsFlag);
    form->txtExtension->setText("Jpg");
    form->lblOptions_MouseDown(1);
    EXPECT_TRUE(form->TagsFlag);
    EXPECT_TRUE(form->frmEXIF->isHidden()); // the first press leaves the frame hidden
    form->lblOptions_MouseDown(1);
    EXPECT_FALSE(form->frmEXIF->isHidden());
    EXPECT_FALSE(form->TagsFlag);
    form->txtExtension->setText("mp3");
    form->lblOptions_MouseDown(1); // the flag flipped by the JPG press decides
    EXPECT_TRUE(form->frmID3->isHidden());
    EXPECT_TRUE(form->TagsFlag);
    ExpectFollowsTheWindow();
}

TEST_F(WindowLayout, DoubleClickTogglesTwiceOnTheLeftStripAndOnceOnThePanelStrip) {
    // Through the window, so the toolkit makes the real sequence: press, release, double-click, release.
    const auto doubleClick = [this](QWidget* w) {
        QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {},
                           w->mapTo(form.get(), w->rect().center()));
        QCoreApplication::processEvents();
    };
    doubleClick(form->lblDirs);
    EXPECT_TRUE(form->DirsHidden);
    form->lblDirs_MouseDown();
    ASSERT_FALSE(form->DirsHidden);
    doubleClick(form->lblDirs2);
    EXPECT_TRUE(form->DirsHidden);
    doubleClick(form->lblOptions[0]);
    EXPECT_FALSE(form->OptionsHidden);
}

} // namespace
