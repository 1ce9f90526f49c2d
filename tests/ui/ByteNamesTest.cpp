#include "support/RenameFixture.h"

#include "ui/FolderControls.h"

#include <QLineEdit>
#include <QTest>

#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>

namespace {

// Names as Linux keeps them: bytes that need not be valid UTF-8, as archives from Windows leave
// them. Every file operation must reach the file the entry stands for.
class ByteNames : public RenameTest {
protected:
    QByteArray Path(const QByteArray& name) const { return tree.NativePath() + '/' + name; }
    bool Exists(const QByteArray& name) const {
        struct stat st {};
        return ::lstat(Path(name).constData(), &st) == 0;
    }
    QByteArray Content(const QByteArray& name) const {
        std::ifstream in(Path(name).toStdString(), std::ios::binary);
        return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
    }
    int RowOf(const QByteArray& name) const {
        for (int row = 0; row < form->lstSel->count(); ++row)
            if (form->lstSel->entry(row).Name == name)
                return row;
        return -1;
    }
};

TEST_F(ByteNames, TheBatchRenamesTheFileOfTheEntryNotOneThatLooksAlike) {
    tree.FileNamed("x\xff.jpg", "latin");
    tree.FileNamed("x\xef\xbf\xbd.jpg", "utf8");
    StartIn(tree.Path());
    ASSERT_EQ(form->lstSel->text(0), form->lstSel->text(1)); // both show as "x\ufffd.jpg"
    const int row = RowOf("x\xff.jpg");
    form->lstSel->setCurrentRow(row);
    form->lstSel_MouseDown(Qt::LeftButton, {});
    Tick(RuleSwitch::AddText);
    form->lstSel->clearSelection();
    form->lstSel->setSelected(row, true);
    form->cmdBatch_Click();
    EXPECT_FALSE(Exists("x\xff.jpg"));
    EXPECT_EQ(Content("x\xef\xbf\xbd.jpg"), "utf8");      // the look-alike is untouched
    EXPECT_EQ(Content("x\xef\xbf\xbd_BAK.jpg"), "latin"); // the new name is UTF-8
}

TEST_F(ByteNames, TheEditorRenamesALatin1NameAndLeavesAnUnchangedOneAlone) {
    tree.FileNamed("b\xe9t\xe9.jpg", "photo");
    tree.FileNamed("caf\xe9.jpg", "other");
    StartIn(tree.Path());
    form->lstSel->setCurrentRow(RowOf("caf\xe9.jpg"));
    form->lstSel_MouseDown(Qt::LeftButton, {});
    QTest::keyClick(form->txtFileName, Qt::Key_Return); // the name as shown: nothing to change
    EXPECT_TRUE(Exists("caf\xe9.jpg"));

    form->lstSel->setCurrentRow(RowOf("b\xe9t\xe9.jpg"));
    form->lstSel_MouseDown(Qt::LeftButton, {});
    form->txtFileName->setText("bete");
    QTest::keyClick(form->txtFileName, Qt::Key_Return);
    EXPECT_EQ(Content("bete.jpg"), "photo");
}

TEST_F(ByteNames, AFolderWhoseNameIsNotUtf8CanBeEntered) {
    ASSERT_EQ(::mkdir(Path("sub\xe9").constData(), 0755), 0);
    tree.FileNamed("sub\xe9/inner.jpg");
    StartIn(tree.Path());
    form->lstPath->setCurrentRow(form->lstPath->findRow(QString::fromUtf8("[sub\ufffd]")));
    form->lstPath_DblClick();
    EXPECT_EQ(form->dirDirs->NativePath(), Path("sub\xe9"));
    EXPECT_EQ(UserInput::Entries(form->lstSel), QStringList{"inner.jpg"});
}

} // namespace
