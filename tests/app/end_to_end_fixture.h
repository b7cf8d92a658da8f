#pragma once
// The whole editor against the simulated mixer over loopback: the console
// window with its real strips, the real link and the demo mixer, connected.

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/editor_link.h"
#include "host/app_context.h"
#include "console/input_strip_dlg.h"
#include "console/mixer_dlg.h"
#include "console/navigation_bar.h"
#include "groups/phantom_dlg.h"
#include "link/commands.h"
#include "link/reset_defaults.h"
#include "pages/curves/eq_graph.h"
#include "pages/dynamics/dynamics_dlg.h"
#include "pages/dynamics/dynamics_panel.h"
#include "pages/frame/preset_selector.h"
#include "pages/effect/effect_dlg.h"
#include "pages/geq/geq_dlg.h"
#include "pages/limiter/limiter_dlg.h"
#include "pages/peq/peq_dlg.h"
#include "pages/sends/sends_dlg.h"
#include "presets/preset_database.h"
#include "presets/preset_store.h"
#include "link/notifier.h"
#include "loopback.h"
#include "link/mixer_link.h"
#include "sim/simulated_mixer.h"
#include "skin/bitmap_slider.h"
#include "skin/menu_ex.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"
#include "system/system_dlg.h"
#include "system/upload_all.h"
#include "system/upload_plan.h"


namespace mixer::testing {

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.dataDir = dir.path();
        context.profileFile = dir.filePath("mixer-editor.ini");
        ASSERT_TRUE(CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), dir.filePath(PresetStore::kFileName)).isEmpty());
        presets = std::make_unique<PresetStore>(dir.path(), notifier);
        context.presets = presets.get();
        options.port = mixer::testing::FreeLoopbackPort();
        options.demo = true;
        built = BuildEditorLink(context, options, notifier, demo);
        ASSERT_TRUE(built.demoMixer);

        window = std::make_unique<CMixerDlg>(context, *built.link);
        // As the application does: the command line outranks the profile.
        context.deviceAddress = QString::fromStdString(*options.deviceAddress);
        window->resize(1640, 1040);
        window->show();
        QSignalSpy replies(built.link.get(), &ConsoleLink::stateReplyApplied);
        built.link->Connect();
        ASSERT_TRUE(WaitUntil([&] { return replies.count() > 0; }));
    }

    void TearDown() override {
        if (!window) return;
        window->close();
        WaitUntil([&] { return window->HasEnded(); });
    }

    SimulatedMixer& Mixer() { return *built.demoMixer; }
    CInputStripDlg& Input(int channel) { return *static_cast<CInputStripDlg*>(window->Pages().inputs[channel]); }
    CPeqDlg& Peq() { return *static_cast<CPeqDlg*>(window->Pages().peq); }
    CGeqDlg& Geq() { return *static_cast<CGeqDlg*>(window->Pages().geq); }
    CSendsDlg& Sends() { return *static_cast<CSendsDlg*>(window->Pages().sends); }
    CEffectDlg& EffectPage() { return *static_cast<CEffectDlg*>(window->Pages().effect); }

    // Ties channel `own` with `other` for `function`, as an enabled control
    // group does.
    void Tie(int own, int other, LinkFunction function) {
        StripLinks links;
        links.linked = true;
        links.channels[0] = own;
        links.channels[1] = other;
        links.count = 2;
        links.functions[function] = 1;
        Input(own).SetLinks(links);
    }

    CDynamicsDlg& Dynamics() { return *static_cast<CDynamicsDlg*>(window->Pages().gateComp); }
    CLimiterDlg& Limiter() { return *static_cast<CLimiterDlg*>(window->Pages().limiter); }

    // Recalls the preset in entry `entry` of a selector through its menu.
    static void Recall(CPresetSelector* selector, int entry, int command) {
        emit selector->activated(entry);
        ASSERT_TRUE(selector->Menu()->isVisible());
        for (QAction* action : selector->Menu()->actions()) {
            if (CMenuEx::CommandOf(action) == command) {
                action->trigger();
                return;
            }
        }
        FAIL() << "no recall entry";
    }

    // Drags graph point `point` by `by` in steps, as a hand would.
    static void DragPoint(CEqGraph* graph, int point, QPoint by) {
        const QPoint start = graph->PointPixel(point);
        QTest::mousePress(graph, Qt::LeftButton, {}, start);
        for (int i = 1; i <= 8; ++i) QTest::mouseMove(graph, start + by * i / 8);
        QTest::mouseRelease(graph, Qt::LeftButton, {}, start + by);
    }

    // Forgets the editor's copy of the mixer's EQs and asks the mixer for
    // its whole state again, so that what follows is what the mixer holds.
    // The outgoing queue builds its messages when they leave: the state is
    // scribbled on only once everything queued has gone out.
    void Drain() { ASSERT_TRUE(WaitUntil([&] { return built.mixerLink->QueuedCount() == 0; })); }

    void RefetchState() {
        Drain();
        for (StripRecord& r : context.model.Mirror().strips) std::fill(std::begin(r.peqBands), std::end(r.peqBands), PeqBand{});
        for (BusRecord& b : context.model.Mirror().buses) std::fill(std::begin(b.geqBands), std::end(b.geqBands), GeqBand{});
        QSignalSpy replies(built.link.get(), &ConsoleLink::stateReplyApplied);
        built.link->Connect();
        ASSERT_TRUE(WaitUntil([&] { return replies.count() > 0; }));
    }

    // Forgets `field` of the editor's state and downloads the mixer's full
    // state again, as CONNECT does: true once the reply has brought the
    // value back.
    bool FullStateRestores(int& field) {
        Drain();
        const int value = field;
        field = value == 0 ? 1 : 0;
        built.link->Connect();
        return WaitUntil([&] { return field == value; });
    }

    void Type(CTextField* box, const QString& text) {
        box->clear();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QTemporaryDir dir;
    AppContext context;
    EditorOptions options;
    SimOptions demo;  // the demo mixer's settings; a fixture may change them before SetUp
    RecordingNotifier notifier;
    std::unique_ptr<PresetStore> presets;
    EditorLink built;
    std::unique_ptr<CMixerDlg> window;
};

// The system page's scenes and RESET against the simulated mixer.
class ScenePageFixture : public EndToEnd {
protected:
    void SetUp() override {
        EndToEnd::SetUp();
        context.notifier = &notifier;
        system = qobject_cast<CSystemDlg*>(window->Pages().system);
        ASSERT_NE(system, nullptr);
    }

    // Every value the upload carries, as the messages that carry it.
    static std::vector<std::string> Carried(const MixerState& state) {
        std::vector<std::string> messages;
        for (const UploadStep& step : UploadAllPlan()) messages.push_back(BuildUploadMessage(state, step));
        return messages;
    }

    CSystemDlg* system = nullptr;
};

}  // namespace mixer::testing
