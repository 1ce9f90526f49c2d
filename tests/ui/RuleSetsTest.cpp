// Saved rule sets, regular expressions and the extension's case in the window, on real files.
#include "support/Eventually.h"
#include "support/RenameFixture.h"
#include "ui/BatchView.h"
#include "ui/ParameterTable.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// The controls that hold the rule switches and parameters: the options panel's and the table's.
QList<QWidget*> RuleControls(const frmFiles& form) {
    QList<QWidget*> controls = form.frmOptions->findChildren<QWidget*>();
    for (const ParameterSpec& p : ParameterTable())
        if (p.box != nullptr && !controls.contains(form.*p.box))
            controls.append(form.*p.box);
    controls.append(form.chkDateTaken);
    return controls;
}

// What each of them holds, by name.
QMap<QString, QString> Held(const frmFiles& form) {
    QMap<QString, QString> held;
    for (QWidget* w : RuleControls(form)) {
        if (auto* button = qobject_cast<QAbstractButton*>(w); button != nullptr && button->isCheckable())
            held[w->objectName()] = button->isChecked() ? "1" : "0";
        else if (auto* box = qobject_cast<QLineEdit*>(w))
            held[w->objectName()] = box->text();
        else if (auto* list = qobject_cast<QComboBox*>(w))
            held[w->objectName()] = QString::number(list->currentIndex());
    }
    return held;
}

// Every one of them made to hold something else: boxes ticked the other way, the next button of
// each group and the next choice, texts of their own.
void ChangeEveryControl(frmFiles& form, const QString& text) {
    QSet<QWidget*> groupsDone;
    for (QWidget* w : RuleControls(form)) {
        if (auto* box = qobject_cast<QCheckBox*>(w)) {
            box->setChecked(!box->isChecked());
        } else if (auto* button = qobject_cast<QRadioButton*>(w); button && button->isChecked()) {
            if (groupsDone.contains(w->parentWidget()))
                continue;
            groupsDone.insert(w->parentWidget());
            const QList<QRadioButton*> group = w->parentWidget()->findChildren<QRadioButton*>();
            group[(group.indexOf(button) + 1) % group.size()]->setChecked(true);
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->setText(text + w->objectName());
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            list->setCurrentIndex((list->currentIndex() + 1) % list->count());
        }
    }
    form.chkOptions_Click(0);
}

// Answers the question the window asks next with the button of that caption.
void AnswerWith(const QString& caption) {
    QTimer::singleShot(0, [caption] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == caption)
                b->click();
    });
}

QStringList NewNames(const std::vector<BatchRow>& rows) {
    QStringList names;
    for (const BatchRow& r : rows)
        names << r.To;
    return names;
}

class RuleSets : public RenameTest {
protected:
    const QByteArray settings = "[Tarvo's Varnello]\n"
                                "Trennzeichen=\" - \"\n"
                                "Ersten=5\n"
                                "\n"
                                "; von Hand\n"
                                "[Fremd]\n"
                                "x = y\n";
    void StartWithSettings() {
        tree.File("cfg/v.ini", settings);
        StartWith({"0412_Strand.JPG", "0413_Hafen.JPG", "IMG_1.JPG"});
        form->Presets = {tree.Abs("cfg/v.ini"), tree.Abs("cfg/v.ini")};
    }
};

TEST_F(RuleSets, ASetLoadedSetsEveryControlAsSavedAndFollowsInPreviewAndBatchView) {
    StartWithSettings();
    TakeUp("0412_Strand.JPG");
    form->lstSel->selectAll();
    ChangeEveryControl(*form, "A");
    const QMap<QString, QString> saved = Held(*form);
    const QString preview = form->txtFileName->text();
    OpenBatchView();
    const QStringList forecast = NewNames(form->frmBatchView->Rows());
    ASSERT_TRUE(form->SavePresetAs("Kamera-Import"));

    ChangeEveryControl(*form, "B");
    // Every control holds something else now; of a group, the button that was selected is not.
    for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
        if (qobject_cast<QRadioButton*>(form->findChild<QWidget*>(it.key())) && it.value() == "0")
            continue;
        EXPECT_NE(Held(*form)[it.key()], it.value()) << it.key().toStdString();
    }
    ASSERT_TRUE(EventuallyTrue([&] { return NewNames(form->frmBatchView->Rows()) != forecast; }));

    form->mnuPresets_Show();
    form->mnuPreset_Click("Kamera-Import");
    EXPECT_EQ(Held(*form), saved);
    EXPECT_EQ(form->txtFileName->text(), preview);
    EXPECT_TRUE(EventuallyTrue([&] { return NewNames(form->frmBatchView->Rows()) == forecast; }));
    const QByteArray file = tree.Read("cfg/v.ini");
    EXPECT_EQ(file.left(settings.size()), settings);
    EXPECT_TRUE(file.mid(settings.size()).startsWith("[Vorlage: Kamera-Import]\n"));
}

TEST_F(RuleSets, TheSameNameAgainIsReplacedOnlyWhenTheUserAgrees) {
    StartWithSettings();
    ASSERT_TRUE(form->SavePresetAs("Kamera"));
    const QByteArray first = tree.Read("cfg/v.ini");
    form->txtFind->setText("neu");
    AnswerWith("Abbrechen");
    EXPECT_FALSE(form->SavePresetAs(" kamera"));
    EXPECT_EQ(tree.Read("cfg/v.ini"), first);
    AnswerWith("Ersetzen");
    EXPECT_TRUE(form->SavePresetAs(" kamera"));
    EXPECT_EQ(PresetNames(form->Presets), QStringList{"kamera"});
    EXPECT_TRUE(tree.Read("cfg/v.ini").contains("Finden=\"neu\""));
}

TEST_F(RuleSets, PatternsReplaceWithGroupsAnInvalidOneIsShownAndTheExtensionTakesItsCase) {
    StartWithSettings();
    TakeUp("0412_Strand.JPG");
    form->chkRegex->click();
    Tick(RuleSwitch::Replace);
    form->txtFind->setText(R"((\d+_)");
    const QColor plain = form->txtReplace->palette().color(QPalette::Base);
    EXPECT_NE(form->txtFind->palette().color(QPalette::Base), plain);
    EXPECT_TRUE(form->txtFind->toolTip().contains("missing closing parenthesis"));
    EXPECT_EQ(form->txtFileName->text(), "0412_Strand");
    EXPECT_TRUE(form->txtFileName->toolTip().contains(QString::fromUtf8("ungültig")));
    form->mnuBatchView_Click();
    EXPECT_TRUE(form->frmBatchView->lblBatchNote->text().contains(QString::fromUtf8("ungültig")));

    form->txtFind->setText(R"((\d+)_(\w+))");
    form->txtReplace->setText(R"(\2-\1)");
    form->cboExtCase->setCurrentIndex(1); // klein
    EXPECT_EQ(form->txtFind->palette().color(QPalette::Base), plain);
    EXPECT_EQ(form->txtFind->toolTip(), "");
    EXPECT_EQ(form->txtFileName->text(), "Strand-0412");
    EXPECT_EQ(form->txtExtension->text(), "jpg");
    form->cboExtCase->setCurrentIndex(0); // the box shows the file's own extension again
    EXPECT_EQ(form->txtExtension->text(), "JPG");
    form->cboExtCase->setCurrentIndex(1);

    form->lstSel->selectAll();
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"Hafen-0413.jpg", "IMG_1.jpg", "Strand-0412.jpg", "cfg/v.ini"}));
}

} // namespace
