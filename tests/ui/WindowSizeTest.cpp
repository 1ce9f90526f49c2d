// The window's size: a smallest size at which the list, the options and the button show, and a
// screen smaller than that, where the content scrolls.
#include "support/WindowFixture.h"

#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

namespace {

class WindowSize : public WindowTest {
protected:
    void SetUp() override {
        StartIn(tree.Path());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    // Where a control lies in the part of the window that shows the content.
    QRect InView(const QWidget* w) const { return {w->mapTo(form.get(), QPoint(0, 0)), w->size()}; }
    QRect View() const {
        return {0, 0, form->vsbContent->isVisible() ? form->vsbContent->x() : form->width(),
                form->sbrStatus->y()};
    }
};

TEST_F(WindowSize, AtTheSmallestSizeTheListTheOptionsAndTheButtonShow) {
    form->resize(1, 1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->vsbContent->isVisible());
    EXPECT_TRUE(View().contains(InView(form->cmdBatch)))
        << form->size().width() << "x" << form->size().height();
    EXPECT_LT(InView(form->lstSel).right(), InView(form->frmOptions).left()); // side by side
    EXPECT_GE(form->lstSel->width(), 150);
}

TEST_F(WindowSize, OnASmallerScreenTheWindowFitsAndItsContentScrollsToTheButton) {
    form->FitToScreen(QRect(0, 0, 800, 500));
    QCoreApplication::processEvents();
    EXPECT_LE(form->frameGeometry().width(), 800);
    EXPECT_LE(form->frameGeometry().height(), 500);
    ASSERT_TRUE(form->vsbContent->isVisible());
    EXPECT_FALSE(View().contains(InView(form->cmdBatch)));
    form->vsbContent->setValue(form->vsbContent->maximum());
    EXPECT_TRUE(View().contains(InView(form->cmdBatch)));
    EXPECT_EQ(form->lstSel->geometry(), form->lstSort->geometry());
}

} // namespace
