#include "app/Commands.h"
#include "app/SettingsFile.h"

#include "support/TempTree.h"
#include "ui/ParameterTable.h"
#include "ui/frmFiles.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QString kSection = QStringLiteral("Tarvo's Varnello");

const QByteArray kDefaultFile = "[Tarvo's Varnello]\n"
                                "Trennzeichen=\" - \"\n"
                                "Zeichenkette=\"_BAK\"\n"
                                "Ersten=5\n"
                                "Letzten=7\n"
                                "Entfernen=\"\"\n"
                                "Finden=\"\"\n"
                                "Ersetzen=\"\"\n"
                                "Leerzeichen=\"_\"\n"
                                "Liste=48,50,52,53,55,57,59,60,62,64,65,67,69,71,72\n"
                                "Stellen=2\n"
                                "Start=1\n"
                                "Buchstaben=2\n"
                                "Pos=1\n"
                                "Pos2=0\n"
                                "Aufnahmedatum=0\n"
                                "Datumsformat=\"yyyy-MM-dd HH.mm.ss - \"\n"
                                "FotoTags=0\n"
                                "FotoVorlage=\"{Datum}{Name}\"\n"
                                "MusikTags=0\n"
                                "MusikVorlage=\"{Nr} - {Titel}\"\n"
                                "Ausdruck=0\n"
                                "Endung=0\n";

class Settings : public testing::Test {
protected:
    QString Ini() const { return tree.Abs("varnello.ini"); }
    void Load() { LoadSettings(form, kSection, Ini()); }
    void Save() { SaveSettings(form, kSection, Ini()); }
    // A save, then a fresh window that loads what was saved.
    void RoundTrip() {
        Save();
        fresh = std::make_unique<frmFiles>(QByteArrayLiteral("."));
        LoadSettings(*fresh, kSection, Ini());
    }

    TempTree tree;
    frmFiles form{QByteArrayLiteral(".")};
    std::unique_ptr<frmFiles> fresh;
};

TEST_F(Settings, TheKeyTableHoldsTheFourteenKeysThenTheDateRulesInWritingOrder) {
    std::vector<std::string> keys;
    for (const ParameterSpec& p : ParameterTable())
        if (p.key != nullptr)
            keys.emplace_back(p.key);
    ASSERT_EQ(keys.size(), 22u);
    EXPECT_EQ(keys.front(), "Trennzeichen");
    EXPECT_EQ(keys[13], "Pos2");
    EXPECT_EQ(keys[15], "Datumsformat");
    EXPECT_EQ(keys[19], "MusikVorlage");
    EXPECT_EQ(keys.back(), "Endung");
}

TEST_F(Settings, TheDateRulesTickAndFormatSurviveARestart) {
    form.chkDateTaken->setChecked(true);
    form.txtDateFormat->setText(" dd.MM.yyyy' - '");
    form.chkAudioTags->setChecked(true);
    form.txtAudioTemplate->setText("{Interpret} - {Titel} ");
    RoundTrip();
    EXPECT_TRUE(fresh->chkDateTaken->isChecked());
    EXPECT_EQ(fresh->txtDateFormat->text(), " dd.MM.yyyy' - '");
    EXPECT_TRUE(
        tree.Read("varnello.ini").contains("Pos2=0\nAufnahmedatum=1\nDatumsformat=\" dd.MM.yyyy' - '\"\n"));
    EXPECT_FALSE(fresh->chkPhotoTags->isChecked());
    EXPECT_TRUE(fresh->chkAudioTags->isChecked());
    EXPECT_EQ(fresh->txtAudioTemplate->text(), "{Interpret} - {Titel} ");
}

TEST_F(Settings, FirstRunWithoutAFileKeepsDefaultsAndWritesAllKeysAtClose) {
    Load();
    EXPECT_EQ(form.txtTrenn->text(), " - ");
    EXPECT_EQ(form.txtString->text(), "_BAK");
    EXPECT_EQ(form.txtFirst->text(), "5");
    EXPECT_EQ(form.txtList->text(), "48,50,52,53,55,57,59,60,62,64,65,67,69,71,72");
    EXPECT_TRUE(form.optGK[2]->isChecked());
    EXPECT_TRUE(form.optPos[1]->isChecked());
    EXPECT_TRUE(form.optPos2[0]->isChecked());
    Save();
    EXPECT_EQ(tree.Read("varnello.ini"), kDefaultFile);
}

TEST_F(Settings, EmptiedBoxesComeBackAsTheirDefaults) {
    for (QLineEdit* box :
         {form.txtTrenn, form.txtString, form.txtFirst, form.txtLast, form.txtDelete, form.txtFind,
          form.txtReplace, form.txtRep, form.txtList, form.txtCnt, form.txtCount})
        box->clear();
    RoundTrip();
    EXPECT_EQ(fresh->txtTrenn->text(), " - ");
    EXPECT_EQ(fresh->txtString->text(), "_BAK");
    EXPECT_EQ(fresh->txtFirst->text(), "5");
    EXPECT_EQ(fresh->txtLast->text(), "7");
    EXPECT_EQ(fresh->txtRep->text(), "_");
    EXPECT_EQ(fresh->txtCnt->text(), "2");
    EXPECT_EQ(fresh->txtCount->text(), "1");
    EXPECT_EQ(fresh->txtDelete->text(), "");
    EXPECT_EQ(fresh->txtFind->text(), "");
    EXPECT_EQ(fresh->txtReplace->text(), "");
}

TEST_F(Settings, BlanksSurviveInQuotedKeysOnlyAndQuotesInsideTheTextStay) {
    form.txtTrenn->setText("  _  ");
    form.txtDelete->setText(" x ");
    form.txtFind->setText("\"zitat\"");
    form.txtReplace->setText(QString::fromUtf8(" Größe € 😀 "));
    form.txtFirst->setText(" 3 ");
    form.txtList->setText(" 1,2 ");
    form.optGK[0]->setChecked(true);
    form.optPos[0]->setChecked(true);
    form.optPos2[1]->setChecked(true);
    RoundTrip();
    EXPECT_EQ(fresh->txtTrenn->text(), "  _  ");
    EXPECT_EQ(fresh->txtDelete->text(), " x ");
    EXPECT_EQ(fresh->txtFind->text(), "\"zitat\"");
    EXPECT_EQ(fresh->txtReplace->text(), QString::fromUtf8(" Größe € 😀 "));
    EXPECT_EQ(fresh->txtFirst->text(), "3");
    EXPECT_EQ(fresh->txtList->text(), "1,2");
    EXPECT_TRUE(fresh->optGK[0]->isChecked());
    EXPECT_TRUE(fresh->optPos[0]->isChecked());
    EXPECT_TRUE(fresh->optPos2[1]->isChecked());
}

TEST_F(Settings, GroupValuesAreComparedExactly) {
    struct Case {
        const char *buchstaben, *pos, *pos2;
        int gk, p, p2;
    };
    for (const Case c : {Case{"1", "x", "1", 1, 0, 1}, Case{"0", "1", "0", 0, 1, 0},
                         Case{"01", "11", "00", 2, 0, 1}, Case{"3", "0", "Ende", 2, 0, 1}}) {
        tree.File("varnello.ini", QByteArray("[Tarvo's Varnello]\nBuchstaben=") + c.buchstaben +
                                      "\nPos=" + c.pos + "\nPos2=" + c.pos2 + "\n");
        frmFiles f(QByteArrayLiteral("."));
        LoadSettings(f, kSection, Ini());
        EXPECT_TRUE(f.optGK[c.gk]->isChecked()) << c.buchstaben;
        EXPECT_TRUE(f.optPos[c.p]->isChecked()) << c.pos;
        EXPECT_TRUE(f.optPos2[c.p2]->isChecked()) << c.pos2;
    }
}

TEST_F(Settings, KeysInOtherLetterCaseLongValuesAndLooseTextsAreReadAsStored) {
    const QByteArray longList(3000, '7');
    tree.File("varnello.ini", "[TARVO'S VARNELLO]\n"
                              "trennzeichen=\"#\"\n"
                              "ERSTEN=abc\n"
                              "Liste=" +
                                  longList + "\n");
    Load();
    EXPECT_EQ(form.txtTrenn->text(), "#");
    EXPECT_EQ(form.txtFirst->text(), "abc"); // not validated
    EXPECT_EQ(form.txtList->text().size(), 2047);
    EXPECT_EQ(ReadSetting(kSection, "Fehlt", Ini(), "42"), "42");
}

TEST_F(Settings, OtherSectionsAndLinesAreUntouchedAndWindows1252IsReadRight) {
    // Windows-1252: ä = E4, ö = F6, ü = FC, ß = DF.
    const QByteArray head = "; von Hand\r\n[Anderes]\r\nTrennzeichen=bleibt\r\n\r\n";
    tree.File("varnello.ini",
              head + "[Tarvo's Varnello]\r\nZeichenkette=\"_\xE4\xF6\xFC\xDF\"\r\nFremd=1\r\n");
    Load();
    EXPECT_EQ(form.txtString->text(), QString::fromUtf8("_äöüß"));
    Save();
    const QByteArray after = tree.Read("varnello.ini");
    EXPECT_TRUE(after.startsWith(head));
    EXPECT_TRUE(after.contains("Zeichenkette=\"_\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\"\r\nFremd=1\r\n"));
    EXPECT_TRUE(after.contains("Pos2=0\r\n"));
}

// How often a file was put in place under this name in the folder, from inotify's events.
class PlacementCounter {
public:
    PlacementCounter(const QString& folder, QByteArray name) : name_(std::move(name)) {
        fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_CREATE | IN_MOVED_TO);
    }
    ~PlacementCounter() { ::close(fd_); }
    int Count() {
        alignas(inotify_event) char buffer[4096];
        int count = 0;
        for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;)
            for (ssize_t at = 0; at < got;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                count += e->len > 0 && name_ == e->name;
                at += ssize_t(sizeof(inotify_event) + e->len);
            }
        return count;
    }

private:
    QByteArray name_;
    int fd_;
};

TEST_F(Settings, ClosingWritesTheFileOnceAndALineBreakKeepsOnlyItsOwnKeyOut) {
    tree.File("varnello.ini", kDefaultFile);
    form.txtTrenn->setText("#");
    form.txtFind->setText("a\nb"); // pasted
    PlacementCounter placed(tree.Path(), "varnello.ini");
    Save();
    EXPECT_EQ(placed.Count(), 1);
    QByteArray expected = kDefaultFile;
    expected.replace("Trennzeichen=\" - \"", "Trennzeichen=\"#\"");
    EXPECT_EQ(tree.Read("varnello.ini"), expected);
}

// Runs where file permissions bind; CI runs it once more as an unprivileged user.
TEST(InitSettings, ASettingsFileThatCouldNotBeReadIsLeftAloneForTheSession) {
    TempTree t;
    t.File("prog/varnello", "");
    const QByteArray before = "[Andere]\nx=1\n[Tarvo's Varnello]\nTrennzeichen=\"~\"\n";
    t.File("prog/varnello.ini", before);
    const QString ini = t.Abs("prog/varnello.ini");
    QFile::setPermissions(ini, QFileDevice::WriteOwner);
    if (QFile(ini).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    const QString program = t.Abs("prog/varnello");
    InitPaths(program);
    const std::unique_ptr<frmFiles> f = InitSettings(program, QByteArrayLiteral("."));
    EXPECT_EQ(f->txtTrenn->text(), " - ");
    QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::WriteOwner); // readable by the close
    f->close();
    EXPECT_EQ(t.Read("prog/varnello.ini"), before);
}

} // namespace
