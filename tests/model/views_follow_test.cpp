// Every source of change and every view: whatever changed the state, every
// view that shows a changed value shows the new one. The window is real,
// with its pages; only the link is a fake.

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "host/app_context.h"
#include "console/fake_link.h"
#include "console/input_strip_dlg.h"
#include "console/mixer_dlg.h"
#include "console/navigation_bar.h"
#include "console/output_strip_dlg.h"
#include "console/page_overview.h"
#include "host/value_display.h"
#include "link/meter_report.h"
#include "link/notifier.h"
#include "pages/effect/effect_dlg.h"
#include "pages/frame/preset_selector.h"
#include "pages/peq/peq_dlg.h"
#include "pages/sends/sends_dlg.h"
#include "presets/preset_database.h"
#include "presets/preset_store.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/level_meter.h"
#include "skin/text_field.h"
#include "system/device_reset.h"
#include "system/system_dlg.h"

using namespace mixer;
using mixer::testing::FakeLink;

namespace {

constexpr int kBand1GainKind = 5;
constexpr int kLevelKind = 3;
constexpr int kMuteKind = 2;

class ViewsFollow : public ::testing::Test {
public:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.dataDir = dir.path();
        context.profileFile = dir.filePath("mixer-editor.ini");
        context.notifier = &notifier;
        ASSERT_TRUE(CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), dir.filePath(PresetStore::kFileName))
                        .isEmpty());
        presets = std::make_unique<PresetStore>(dir.path(), notifier);
        context.presets = presets.get();
        window = std::make_unique<CMixerDlg>(context, link);
        window->resize(1680, 1050);
        window->show();
        link.GoOnline();
        // Each page has been open once and is hidden again: it must follow all the same.
        window->OpenInputDetail(kDelayReturn, kModuleEffect);
        window->OpenInputDetail(0, kModuleSends);
        window->OpenInputDetail(2, kModulePeq);
        window->OnHome();
        QCoreApplication::processEvents();
    }

    ConsolePages& Pages() { return window->Pages(); }
    CInputStripDlg& Input(int channel) { return *static_cast<CInputStripDlg*>(Pages().inputs[channel]); }
    CEffectDlg& EffectPage() { return *static_cast<CEffectDlg*>(Pages().effect); }
    CSendsDlg& Sends() { return *static_cast<CSendsDlg*>(Pages().sends); }
    CPeqDlg& Peq() { return *static_cast<CPeqDlg*>(Pages().peq); }
    CSystemDlg& System() { return *static_cast<CSystemDlg*>(Pages().system); }
    const MixerState& State() const { return context.state; }

    void Type(const QString& text) {
        CTextField* box = window->Navigation().valueBox1;
        box->clear();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Every view agrees with the state: the strips (shown or not), the detail
    // strip, the page buttons' overviews, the value display and the pages.
    void ExpectEveryViewShowsTheState(const char* source) {
        SCOPED_TRACE(source);
        const MixerState& s = State();
        const auto stripShows = [&](CInputStripDlg& strip, int c) {
            const StripRecord& r = s.strips[c];
            EXPECT_EQ(strip.Fader()->GetPos(), FaderPositionFromLevel(r.level)) << c;
            EXPECT_EQ(strip.MuteButton()->GetDown(), r.mute != 0) << c;
            EXPECT_EQ(strip.SoloButton()->GetDown(), r.solo != 0) << c;
            EXPECT_EQ(strip.PanSlider()->GetPos(), r.pan) << c;
        };
        for (int c = 0; c < kStripCount; ++c) stripShows(Input(c), c);
        auto& detail = *static_cast<CInputStripDlg*>(Pages().detailInput);
        if (detail.Index() >= 0 && detail.Index() < kStripCount) stripShows(detail, detail.Index());
        for (int b = 0; b < kBusCount; ++b) {
            auto& strip = *static_cast<COutputStripDlg*>(Pages().outputs[b]);
            EXPECT_EQ(strip.Fader()->GetPos(), FaderPositionFromLevel(s.buses[b].level)) << "bus " << b;
            EXPECT_EQ(strip.MuteButton()->GetDown(), s.buses[b].mute != 0) << "bus " << b;
        }
        for (int page = kPageCh1To8; page <= kPageAux; ++page) {
            const auto entries = PageOverview(s, page);
            for (int k = 0; k < static_cast<int>(entries.size()); ++k) {
                EXPECT_EQ(window->Navigation().pageButtons[page - 1]->OverviewLevel(k), entries[k].bar) << page << k;
                EXPECT_EQ(window->Navigation().pageButtons[page - 1]->OverviewMute(k), entries[k].muted) << page << k;
            }
        }
        const ValueDisplayText shown =
            FormatValueDisplay(s, window->ValueDisplayChannel(), window->ValueDisplayKind(), context.language);
        EXPECT_EQ(window->Navigation().valueBox1->text().toStdString(), shown.box1);
        // The effect page follows its return strips.
        for (Effect effect : {Effect::kDelay, Effect::kReverb}) {
            const int level = s.strips[effect == Effect::kDelay ? kDelayReturn : kReverbReturn].level;
            EXPECT_EQ(EffectPage().LevelText(effect, false), QString::asprintf("%ddB", level - 60));
        }
        for (int b = 0; b < kEffectMuteCount; ++b) EXPECT_EQ(EffectPage().MuteButton(b)->GetDown(), EffectMuted(s, b)) << b;
        // A send that is live never reads MUTE.
        for (int row = kSendRowFirstAux; row < kSendRowCount; ++row) {
            const int level = SendLevel(s, Sends().Channel(), row);
            if (level == 0) continue;
            EXPECT_FALSE(Sends().MuteButton(row)->GetDown()) << row;
            EXPECT_EQ(Sends().LevelText(row), QString::asprintf("%ddB", level - 60)) << row;
        }
        const PeqBand& band = s.strips[Peq().Channel()].peqBands[0];
        EXPECT_EQ(Peq().KnobText(1, CPeqDlg::Knob::kGain), QString::asprintf("%0.1fdB", (band.gain2 - 150) * 0.1));
    }

    QTemporaryDir dir;
    RecordingNotifier notifier;
    std::unique_ptr<PresetStore> presets;
    AppContext context;
    FakeLink link;
    std::unique_ptr<CMixerDlg> window;
};

struct Source {
    const char* name;
    std::function<void(ViewsFollow&)> change;
};

TEST_F(ViewsFollow, EverySourceOfChangeShowsOnEveryView) {
    const Source sources[] = {
        {"strip fader", [](ViewsFollow& t) { t.Input(2).OnFaderMoved(FaderPositionFromLevel(70)); }},
        {"strip mute", [](ViewsFollow& t) { t.Input(4).OnMute(); }},
        {"typed level",
         [](ViewsFollow& t) {
             t.window->ShowValue(3, kLevelKind);
             t.Type("-10");
         }},
        {"control group",
         [](ViewsFollow& t) {
             StripLinks links;
             links.linked = true;
             links.channels[0] = 6;
             links.channels[1] = 9;
             links.count = 2;
             links.functions[kLinkVol] = 1;
             t.Input(6).SetLinks(links);
             t.Input(6).OnFaderMoved(FaderPositionFromLevel(50));
             t.Input(6).SetLinks({});
         }},
        {"full-state reply",
         [](ViewsFollow& t) {
             t.context.model.Change(
                 [](MixerState& s) {
                     s.strips[1].level = 44;
                     s.strips[kDelayReturn].mute2 = 1;
                     s.buses[3].level = 61;
                 },
                 Origin::Device);
         }},
        {"return strip fader moves the effect page",
         [](ViewsFollow& t) {
             t.window->OpenInputDetail(kDelayReturn, kModuleEffect);
             t.Input(kDelayReturn).OnFaderMoved(FaderPositionFromLevel(66));
         }},
        {"return strip mute lights the effect page", [](ViewsFollow& t) { t.Input(kReverbReturn).OnMute(); }},
        {"effect page output moves the strip",
         [](ViewsFollow& t) { t.EffectPage().OnLevelKnob(Effect::kReverb, false, KnobFromLevel(40), false); }},
        {"typed send into a muted row",
         [](ViewsFollow& t) {
             t.window->OpenInputDetail(0, kModuleSends);
             QTest::mouseClick(t.Sends().MuteButton(2), Qt::LeftButton);
             t.window->ShowValue(0, SendDisplayKind(2));
             t.Type("-10");
         }},
        {"preset recall",
         [](ViewsFollow& t) {
             t.window->OpenInputDetail(2, kModulePeq);
             t.context.model.Change([](MixerState& s) { s.strips[2].peqBands[0].gain2 = 250; });
             emit t.Peq().PresetSelector()->activated(0);  // SAVE PRESET
             t.Peq().OnReset();
             t.window->ShowValue(2, kBand1GainKind);
             t.Peq().PresetSelector()->Choose(1, {});
             t.Peq().PresetSelector()->OnMenuCommand(kFirstPresetMenu.recall);
         }},
        {"bypass", [](ViewsFollow& t) { t.Peq().OnBypass(); }},
        {"clear mutes", [](ViewsFollow& t) { t.window->ClearMutes(); }},
        {"scene recall",
         [](ViewsFollow& t) {
             t.System().SaveScene();
             t.Input(5).OnFaderMoved(FaderPositionFromLevel(12));
             t.window->ShowValue(5, kLevelKind);
             t.System().RecallScene(QStringLiteral("1:SAVE1"));
         }},
        {"reset", [](ViewsFollow& t) { ResetEditorState(t.context); }},
    };
    ExpectEveryViewShowsTheState("start");
    for (const Source& source : sources) {
        const MixerState before = State();
        source.change(*this);
        QCoreApplication::processEvents();
        EXPECT_NE(std::memcmp(&before, &State(), sizeof before), 0) << source.name << " changed nothing";
        ExpectEveryViewShowsTheState(source.name);
    }
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ViewsFollow, OfflineEveryMeterShowsZeroWhateverWasRecalled) {
    context.model.EditMeters([](MixerState& s) {
        for (StripRecord& r : s.strips) r.meter = 200;
        s.buses[0].meter = s.buses[1].meter = 255;
        return true;
    });
    System().SaveScene();   // the file holds these levels
    link.Shutdown();
    link.online = link.lit = false;
    emit link.indicatorsChanged();
    System().RecallScene(QStringLiteral("1:SAVE1"));
    QTest::qWait(3 * CMixerDlg::kMeterFrameMs);
    MixerState silent = State();
    EXPECT_FALSE(ClearMeterLevels(silent));
    EXPECT_EQ(Input(0).Meter()->Value(0), 0.0);
    EXPECT_EQ(static_cast<COutputStripDlg*>(Pages().outputs[0])->LeftMeter()->Value(0), 0.0);
}

}  // namespace
