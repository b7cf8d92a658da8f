// RESET and scenes through the whole editor against the simulated mixer over
// loopback: what the mixer holds afterwards, how long the upload takes and
// how long the window ever waits meanwhile.

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/editor_link.h"
#include "console/app_context.h"
#include "console/mixer_dlg.h"
#include "link/commands.h"
#include "link/notifier.h"
#include "link/reset_defaults.h"
#include "loopback.h"
#include "presets/preset_database.h"
#include "presets/preset_store.h"
#include "sim/simulated_mixer.h"
#include "skin/image_button.h"
#include "skin/menu_ex.h"
#include "skin/menu_resources.h"
#include "system/system_dlg.h"
#include "system/upload_all.h"
#include "system/upload_plan.h"

using namespace mixer;
using mixer::testing::WaitUntil;

namespace {

// Every value the upload carries, as the messages that carry it.
std::vector<std::string> Carried(const MixerState& state) {
    std::vector<std::string> messages;
    for (const UploadStep& step : UploadAllPlan()) messages.push_back(BuildUploadMessage(state, step));
    return messages;
}

class SceneEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.dataDir = dir.path();
        context.profileFile = dir.filePath("mixer-editor.ini");
        ASSERT_TRUE(
            CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), dir.filePath(PresetStore::kFileName)).isEmpty());
        presets = std::make_unique<PresetStore>(dir.path(), notifier);
        context.presets = presets.get();
        context.notifier = &notifier;
        options.port = mixer::testing::FreeLoopbackPort();
        options.demo = true;
        built = BuildEditorLink(context, options, notifier);
        ASSERT_TRUE(built.demoMixer);
        window = std::make_unique<CMixerDlg>(context, *built.link);
        context.deviceAddress = QString::fromStdString(*options.deviceAddress);
        window->resize(1640, 1040);
        window->show();
        QSignalSpy replies(built.link.get(), &ConsoleLink::stateReplyApplied);
        built.link->Connect();
        ASSERT_TRUE(WaitUntil([&] { return replies.count() > 0; }));
        system = qobject_cast<CSystemDlg*>(window->Pages().system);
        ASSERT_NE(system, nullptr);
    }

    void TearDown() override {
        if (!window) return;
        window->close();
        WaitUntil([&] { return window->HasEnded(); });
    }

    // Edits through the link, as the pages send them.
    void Edit(int channel, int level, int pan) {
        context.state.strips[channel].level = level;
        context.state.strips[channel].pan = pan;
        built.link->Send(BuildA(context.state, channel + 1));
        built.link->Send(BuildL(context.state, channel + 1));
    }

    bool MixerHolds(const MixerState& state, int timeoutMs = mixer::testing::kWaitMs) {
        const std::vector<std::string> wanted = Carried(state);
        return WaitUntil([&] { return Carried(built.demoMixer->State()) == wanted; }, timeoutMs);
    }

    void Pick(int slot, int command) {
        system->SceneButton(slot)->click();
        for (QAction* action : system->SceneMenu()->actions()) {
            if (CMenuEx::CommandOf(action) == command) action->trigger();
        }
        system->SceneMenu()->hide();
    }

    QTemporaryDir dir;
    AppContext context;
    EditorOptions options;
    RecordingNotifier notifier;
    std::unique_ptr<PresetStore> presets;
    EditorLink built;
    std::unique_ptr<CMixerDlg> window;
    CSystemDlg* system = nullptr;
};

TEST_F(SceneEndToEnd, ResetAtProtocolPaceLeavesTheMixerInItsResetStateAndTheWindowResponsive) {
    Edit(2, 11, 40);
    context.state.buses[4].busMode = 3;
    built.link->Send(BuildP(context.state, 5));
    MixerState reset = context.state;
    ResetDefaults(reset);
    ASSERT_TRUE(WaitUntil([&] { return built.demoMixer->State().strips[2].level == 11; }));
    ASSERT_FALSE(Carried(built.demoMixer->State()) == Carried(reset));

    // The longest wait of the event loop, seen by a timer that wants to run every 5 ms.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });
    QSignalSpy done(system->Upload(), &UploadAll::finished);
    sinceTick.start();
    ticker.start(5);
    QElapsedTimer took;
    took.start();
    system->ResetButton()->click();
    ASSERT_TRUE(done.wait(20000));
    const qint64 elapsed = took.elapsed();
    ticker.stop();

    ASSERT_EQ(done.count(), 1);
    EXPECT_TRUE(done.at(0).at(0).toBool());
    EXPECT_TRUE(MixerHolds(reset));
    EXPECT_EQ(notifier.messages.back().text, "复位成功。");
    EXPECT_TRUE(built.link->IsConnected());
    RecordProperty("upload_ms", static_cast<int>(elapsed));
    RecordProperty("longest_event_loop_gap_ms", static_cast<int>(longestGap));
    std::printf("UploadAll: 283 commands in %lld ms (283 x 20 ms = 5660 ms); longest event-loop gap %lld ms\n",
                static_cast<long long>(elapsed), static_cast<long long>(longestGap));
    // Generous bounds only: the figures themselves go into the record.
    EXPECT_GT(elapsed, 5000);
    EXPECT_LT(elapsed, 15000);
}

TEST_F(SceneEndToEnd, ASceneSavedChangedAndRecalledRestoresTheMixer) {
    system->Upload()->SetInterval(std::chrono::milliseconds(0));
    Edit(0, 33, 150);
    Edit(17, 20, 60);
    ASSERT_TRUE(WaitUntil([&] { return built.demoMixer->State().strips[17].pan == 60; }));
    const MixerState saved = context.state;
    system->ShowTab(kTabShow);
    system->SaveButton()->click();

    Edit(0, 5, 10);
    Edit(9, 44, 199);
    ASSERT_TRUE(WaitUntil([&] { return built.demoMixer->State().strips[9].pan == 199; }));
    ASSERT_FALSE(Carried(built.demoMixer->State()) == Carried(saved));

    QSignalSpy done(system->Upload(), &UploadAll::finished);
    Pick(0, kCmdFirstRecall);
    ASSERT_TRUE(done.wait(10000));
    EXPECT_TRUE(MixerHolds(saved, 10000));
    EXPECT_EQ(context.state.strips[0].level, 33);
}

}  // namespace
