// The console window's value display, typed value entry and meter path, with
// strips that record what the window asks of them.

#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

#include "host/app_context.h"
#include "console/fake_link.h"
#include "host/gbk_text.h"
#include "console/mixer_dlg.h"
#include "console/navigation_bar.h"
#include "console/page_overview.h"
#include "link/commands.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"

using namespace mixer;
using mixer::testing::FakeLink;

namespace {

// A strip that counts what the window asks of it.
class RecordingStrip : public StripView {
public:
    RecordingStrip(int index, QWidget* parent) : StripView(parent), index_(index) {}
    void SetLabels(int) override {}
    void SetIndex(int index) override { index_ = index; }
    int Index() const override { return index_; }
    void RefreshFromState() override {}
    void UpdateMeters() override { ++meterUpdates; }
    int meterUpdates = 0;

private:
    int index_;
};

// The pages of the build with every strip replaced by a recording one.
void CreateRecordingPages(ConsolePages& pages, QWidget* parent, AppContext& context, StripHost& host) {
    CreateConsolePages(pages, parent, context, host);
    const auto replace = [&](StripView*& strip, int index) {
        delete strip;
        strip = new RecordingStrip(index, parent);
        strip->hide();
    };
    for (int i = 0; i < kStripCount; ++i) replace(pages.inputs[i], i);
    for (int i = 0; i < kBusCount; ++i) replace(pages.outputs[i], i);
    replace(pages.detailInput, 0);
    replace(pages.detailOutput, 0);
}

class ValueDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.profileFile = dir.filePath("mixer-editor.ini");
        context.dataDir = dir.path();
    }

    void Open() {
        window = std::make_unique<CMixerDlg>(context, link, CreateRecordingPages);
        window->resize(1680, 1050);
        window->show();
        QCoreApplication::processEvents();
    }

    NavigationBar& Nav() { return window->Navigation(); }
    RecordingStrip& Input(int i) { return *static_cast<RecordingStrip*>(window->Pages().inputs[i]); }
    RecordingStrip& Output(int i) { return *static_cast<RecordingStrip*>(window->Pages().outputs[i]); }
    RecordingStrip& DetailInput() { return *static_cast<RecordingStrip*>(window->Pages().detailInput); }
    RecordingStrip& DetailOutput() { return *static_cast<RecordingStrip*>(window->Pages().detailOutput); }

    // Types text into value box 0 or 1 over what it shows, then presses
    // Enter. Chinese comes as an input method's committed text.
    void Type(int box, const QString& text) {
        CTextField* field = box == 0 ? Nav().valueBox1 : Nav().valueBox2;
        field->clear();
        if (text.toLatin1() == text.toUtf8()) {
            QTest::keyClicks(field, text);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QCoreApplication::sendEvent(field, &commit);
        }
        QTest::keyClick(field, Qt::Key_Return);
    }

    void Shows(const QString& channel, const QString& parameter, const QString& box1, const QString& box2 = {}) {
        EXPECT_EQ(Nav().channelName->DisplayText(), channel);
        EXPECT_EQ(Nav().parameterName->DisplayText(), parameter);
        EXPECT_EQ(Nav().valueBox1->text(), box1);
        EXPECT_EQ(Nav().valueBox2->text(), box2);
    }

    int TotalMeterUpdates() {
        int n = 0;
        for (int i = 0; i < kStripCount; ++i) n += Input(i).meterUpdates;
        for (int i = 0; i < kBusCount; ++i) n += Output(i).meterUpdates;
        return n + DetailInput().meterUpdates + DetailOutput().meterUpdates;
    }

    QTemporaryDir dir;
    AppContext context;
    FakeLink link;
    std::unique_ptr<CMixerDlg> window;
};

TEST_F(ValueDisplayTest, StartsOnTheFirstChannelsMute) {
    Open();
    Shows("通道 1", "静音", "CLOSE");
    EXPECT_EQ(Nav().valueBox1->maxLength(), CTextField::kDefaultMaxLength);
    EXPECT_EQ(Nav().valueBox1->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(Nav().valueBox2->CurrentBackground(), QColor(Qt::black));
}

TEST_F(ValueDisplayTest, ValuesReachTheLabelsInTheLanguage) {
    context.language = 1;
    Open();
    Shows("CH 1", "MUTE", "CLOSE");
    context.model.Mirror().strips[2].level = 70;
    context.model.Mirror().strips[2].pan = 0;
    context.model.Mirror().strips[2].mute = 1;
    context.model.Mirror().strips[2].peqBands[0].gain2 = 30;
    context.model.Mirror().strips[2].peqBands[1].freq = 1000;

    window->ShowValue(2, 3);
    Shows("CH 3", "VOL", "10dB");
    window->ShowValue(2, 4);
    Shows("CH 3", "PHASE", "-1.00");
    window->ShowValue(2, 5);
    Shows("CH 3", "BAND1 GAIN", "-12.0dB");
    window->ShowValue(2, 1);
    Shows("CH 3", "MUTE", "OPEN");
    window->ShowValue(2, 23);
    Shows("CH 3", "BAND2", "-15.0dB", "1000HZ");
    // Kind 0, as a detail page opens it, empties both boxes.
    window->ShowValue(2, 0);
    Shows("CH 3", "", "");
    window->ShowValue(kFirstOutputChannel + 2, 3);
    Shows("AUX 1", "VOL", "-60dB");

    // A kind without a row changes only the channel's name.
    window->ShowValue(2, 3);
    window->ShowValue(5, 30);
    Shows("CH 6", "VOL", "10dB");
    // Nor does a channel outside the display's range change anything.
    window->ShowValue(40, 1);
    Shows("CH 6", "VOL", "10dB");
}

TEST_F(ValueDisplayTest, LongValuesShowWholeInTheBoxes) {
    Open();
    CTextField* box1 = Nav().valueBox1;
    CTextField* box2 = Nav().valueBox2;
    context.model.Mirror().strips[3].peqBands[0].freq = 20000;
    window->ShowValue(3, 22);
    EXPECT_EQ(box2->text(), "20000Hz");
    // Five digits and the unit are wider than the box at its own font: a
    // smaller one shows them all.
    EXPECT_LT(box2->font().pixelSize(), kValueBoxFontPixels);
    EXPECT_LT(box2->fontMetrics().horizontalAdvance(box2->text()), box2->width() - 4);
    EXPECT_EQ(box1->text(), "-15.0dB");
    EXPECT_EQ(box1->font().pixelSize(), kValueBoxFontPixels);

    // A short value after it has the box's own font again.
    window->ShowValue(3, 6);
    EXPECT_LT(box1->font().pixelSize(), kValueBoxFontPixels);
    window->ShowValue(3, 3);
    EXPECT_EQ(box1->text(), "-60dB");
    EXPECT_EQ(box1->font().pixelSize(), kValueBoxFontPixels);
}

TEST_F(ValueDisplayTest, ChineseNamesAndTheChannelsOwnGbkName) {
    Open();
    SetGbkName(context.model.Mirror().strips[4].name, QStringLiteral("底鼓"));
    context.model.Mirror().strips[4].mute = 1;
    window->ShowValue(4, 1);
    Shows("底鼓", "静音", "OPEN");
    window->ShowValue(4, 22);
    Shows("底鼓", "频段1", "-15.0dB", "0Hz");
    window->ShowValue(kFirstOutputChannel, 4);
    Shows("主音量", "声像", "-1.00");
}

TEST_F(ValueDisplayTest, TypedLevelIsStoredShownAndSentOnlyWhileConnected) {
    Open();
    window->ShowValue(2, 3);

    Type(0, "5");
    EXPECT_EQ(context.model.Mirror().strips[2].level, 65);
    EXPECT_EQ(Nav().pageButtons[0]->OverviewLevel(2), OverviewBar(65));
    EXPECT_TRUE(link.sent.empty());  // offline: stored, not sent
    EXPECT_EQ(Nav().valueBox1->text(), "5dB");

    // The stored value stands selected, so the next value typed replaces it.
    EXPECT_EQ(Nav().valueBox1->selectedText(), "5dB");
    QTest::keyClicks(Nav().valueBox1, "3");
    QTest::keyClick(Nav().valueBox1, Qt::Key_Enter);
    EXPECT_EQ(context.model.Mirror().strips[2].level, 63);

    link.GoOnline();
    Type(0, "12");
    EXPECT_EQ(context.model.Mirror().strips[2].level, 70);
    EXPECT_EQ(Nav().valueBox1->text(), "10dB");  // the box shows the clamped value
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0], BuildA(context.model.Mirror(), 3));

    Type(0, "-70");
    EXPECT_EQ(context.model.Mirror().strips[2].level, 0);
    EXPECT_EQ(Nav().valueBox1->text(), "-60dB");
    EXPECT_EQ(link.sent.size(), 2u);
}

TEST_F(ValueDisplayTest, OnOffWordsDifferForInputsAndOutputs) {
    Open();
    link.GoOnline();
    window->ShowValue(0, 1);
    Type(0, "开");
    EXPECT_EQ(context.model.Mirror().strips[0].mute, 0);
    EXPECT_TRUE(link.sent.empty());
    EXPECT_EQ(Nav().valueBox1->text(), "CLOSE");  // the unchanged value again

    Type(0, "open");
    EXPECT_EQ(context.model.Mirror().strips[0].mute, 1);
    EXPECT_TRUE(Nav().pageButtons[0]->OverviewMute(0));
    EXPECT_EQ(Nav().valueBox1->text(), "OPEN");
    ASSERT_EQ(link.sent.size(), 1u);
    link.sent.clear();

    // MAIN: both records, both strips that show them and both codes.
    window->ShowValue(kFirstOutputChannel, 1);
    Type(0, "OPEN");
    EXPECT_EQ(context.model.Mirror().buses[0].mute, 0);
    EXPECT_TRUE(link.sent.empty());
    Type(0, "开");
    EXPECT_EQ(context.model.Mirror().buses[0].mute, 1);
    EXPECT_EQ(context.model.Mirror().buses[1].mute, 1);
    EXPECT_EQ(link.sent, (std::vector<std::string>{BuildA(context.model.Mirror(), 17), BuildA(context.model.Mirror(), 18)}));

    // An AUX bus: its own strip and overview mark only.
    window->ShowValue(kFirstOutputChannel + 4, 1);
    Type(0, "开");
    EXPECT_EQ(context.model.Mirror().buses[4].mute, 1);
    EXPECT_TRUE(Nav().pageButtons[3]->OverviewMute(2));
}

TEST_F(ValueDisplayTest, SecondBoxTakesOnlyBandFrequencies) {
    Open();
    link.GoOnline();
    window->ShowValue(1, 3);
    MixerState before;
    std::memcpy(&before, &context.model.Mirror(), sizeof before);
    Type(1, "1000");
    EXPECT_EQ(std::memcmp(&before, &context.model.Mirror(), sizeof before), 0);
    EXPECT_TRUE(link.sent.empty());
    // Kinds with one value show an empty second box.
    EXPECT_EQ(Nav().valueBox2->text(), "");

    window->ShowValue(1, 23);
    Type(1, "1000");
    EXPECT_EQ(context.model.Mirror().strips[1].peqBands[1].freq, 1000);
    EXPECT_EQ(link.sent, (std::vector<std::string>{BuildG(context.model.Mirror(), 2, 2)}));
    EXPECT_EQ(Nav().valueBox2->text(), "1000HZ");
    Type(1, "99999");
    EXPECT_EQ(Nav().valueBox2->text(), "20000HZ");
}

TEST_F(ValueDisplayTest, MeterReportsUpdateOnlyVisibleStripsAndCoalesce) {
    Open();
    for (int i = 0; i < 5; ++i) emit link.meterReportApplied();
    QTRY_VERIFY(Input(0).meterUpdates > 0);
    QTest::qWait(3 * CMixerDlg::kMeterFrameMs);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Input(i).meterUpdates, 1) << i;
    EXPECT_EQ(Output(0).meterUpdates, 1);
    // The rest are hidden: nothing but the eight inputs and MAIN.
    EXPECT_EQ(TotalMeterUpdates(), 9);

    // The input detail view: the detail strips follow, the console's strips are hidden.
    window->ShowInputDetail(9, kModuleGateComp);
    emit link.meterReportApplied();
    QTRY_COMPARE(DetailInput().meterUpdates, 1);
    EXPECT_EQ(DetailInput().Index(), 9);
    EXPECT_EQ(DetailOutput().meterUpdates, 1);
    EXPECT_EQ(TotalMeterUpdates(), 11);

    window->ShowOutputDetail(4, kModuleLimiter);
    emit link.meterReportApplied();
    QTRY_COMPARE(DetailOutput().meterUpdates, 2);
    EXPECT_EQ(DetailOutput().Index(), 4);
    EXPECT_EQ(TotalMeterUpdates(), 12);
}

TEST_F(ValueDisplayTest, OverviewsShowMetersWhileOnlineAndFadersOtherwise) {
    Open();
    CImageButton* ch1to8 = Nav().pageButtons[0];
    CImageButton* aux = Nav().pageButtons[3];
    context.model.Mirror().strips[0].level = 70;
    context.model.Mirror().strips[1].meter = 255;
    context.model.Mirror().buses[7].meter = 255;
    context.model.Mirror().strips[16].meter = 255;

    // A report before the link is online leaves the fader bars.
    emit link.meterReportApplied();
    QTRY_COMPARE(Input(0).meterUpdates, 1);
    EXPECT_FALSE(window->OverviewShowsMeters());
    EXPECT_EQ(ch1to8->OverviewLevel(0), 186);
    EXPECT_EQ(ch1to8->OverviewLevel(1), 0);

    link.GoOnline();
    emit link.meterReportApplied();
    QTRY_COMPARE(Input(0).meterUpdates, 2);
    EXPECT_TRUE(window->OverviewShowsMeters());
    EXPECT_EQ(ch1to8->OverviewLevel(0), 0);
    EXPECT_EQ(ch1to8->OverviewLevel(1), 186);
    EXPECT_EQ(aux->OverviewLevel(5), 186);
    EXPECT_EQ(Nav().pageButtons[2]->OverviewLevel(0), 186);

    // A fader edit keeps the meters in the bars, but its mute mark shows.
    context.model.Mirror().strips[1].mute = 1;
    window->RefreshPageOverviews();
    EXPECT_EQ(ch1to8->OverviewLevel(1), 186);
    EXPECT_TRUE(ch1to8->OverviewMute(1));

    // Offline (silence or disconnect): the bars show the faders again, and
    // no meter keeps showing a level nobody measures any more.
    const int updates = Input(1).meterUpdates;
    link.online = false;
    emit link.indicatorsChanged();
    EXPECT_FALSE(window->OverviewShowsMeters());
    EXPECT_EQ(ch1to8->OverviewLevel(0), 186);
    EXPECT_EQ(ch1to8->OverviewLevel(1), 0);
    EXPECT_EQ(aux->OverviewLevel(5), 0);
    for (const StripRecord& r : context.model.Mirror().strips) EXPECT_EQ(r.meter + r.meter2, 0);
    for (const BusRecord& r : context.model.Mirror().buses) EXPECT_EQ(r.meter + r.meter2, 0);
    EXPECT_EQ(Input(1).meterUpdates, updates + 1);
}

}  // namespace
