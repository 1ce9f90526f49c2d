// Taking up a wave file in the window plays it, against a private PulseAudio server with a null
// sink; where none can be started here the test is skipped with the reason.
#include "NullSinkServer.h"
#include "support/Eventually.h"
#include "support/UserInput.h"
#include "WaveFiles.h"
#include "support/WindowFixture.h"

#include "sound/Sound.h"

#include <QDeadlineTimer>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

namespace {

class WavePreview : public WindowTest {
protected:
    static void SetUpTestSuite() {
        server_ = std::make_unique<NullSinkServer>();
        skipReason_ = server_->Start();
        if (skipReason_.isEmpty())
            qputenv("PULSE_SERVER", server_->Address().toLocal8Bit());
    }
    static void TearDownTestSuite() {
        StopWave();
        server_.reset();
    }

    void SetUp() override {
        if (!skipReason_.isEmpty())
            GTEST_SKIP() << "no PulseAudio server could be started: " << skipReason_.toStdString();
        WriteWaveFile(tree.Abs(QStringLiteral("klang.WaV")), 20);
        WriteWaveFile(tree.Abs(QStringLiteral("wav")), 20); // a wave file, but named without extension
        tree.File(QStringLiteral("bild.jpg"));
        StartIn(tree.Path());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override {
        StopWave();
        if (skipReason_.isEmpty()) {
            EXPECT_TRUE(EventuallyTrue([] { return server_->SinkInputs().isEmpty(); }));
        }
        WindowTest::TearDown();
    }

    void TakeUp(const QString& name) {
        const int row = form->lstSel->findRow(name);
        ASSERT_GE(row, 0);
        UserInput::Press(form->lstSel, row);
    }

    static inline std::unique_ptr<NullSinkServer> server_;
    static inline QString skipReason_;
};

TEST_F(WavePreview, OnlyAFileWithTheWaveExtensionPlaysAndKeepsPlayingWhileOthersAreTakenUp) {
    TakeUp(QStringLiteral("wav"));
    EXPECT_FALSE(EventuallyTrue([] { return !server_->SinkInputs().isEmpty(); }, 1500));

    TakeUp(QStringLiteral("klang.WaV"));
    EXPECT_TRUE(EventuallyTrue([] { return server_->SinkInputs().size() == 1; }));
    TakeUp(QStringLiteral("bild.jpg")); // a picture taken up does not silence the sound
    EXPECT_FALSE(EventuallyTrue([] { return server_->SinkInputs().size() != 1; }, 300));
}

} // namespace
