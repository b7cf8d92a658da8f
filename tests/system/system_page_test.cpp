#include <QFile>
#include <QProgressBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "host/app_context.h"
#include "console/fake_link.h"
#include "console/fake_strip_host.h"
#include "host/gbk_text.h"
#include "host/osc_settings.h"
#include "link/notifier.h"
#include "link/reset_defaults.h"
#include "pages/peq/peq_dlg.h"
#include "loopback.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"
#include "system/scan_fixture.h"
#include "system/scene_fixture.h"
#include "system/system_dlg.h"

using namespace mixer;
using mixer::testing::FakeLink;
using mixer::testing::WaitUntil;

namespace {

class SystemPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.profileFile = dir.filePath("mixer-editor.ini");
        context.link = &link;
        context.notifier = &notifier;
        context.bindAddress = "127.0.0.1";
        context.port = mixer::testing::FreeScanPort();
        SetDefaultNames(context.model.Mirror(), 1);
    }

    std::unique_ptr<CSystemDlg> Open(int language = 1) { return mixer::testing::OpenSystemPage(context, language); }

    QString Profile() const {
        return QSettings(context.profileFile, QSettings::IniFormat).value("U_FONT_SECTION/hostip").toString();
    }

    QTemporaryDir dir;
    AppContext context;
    FakeLink link;
    RecordingNotifier notifier;
};

TEST_F(SystemPage, EachTabShowsOnlyItsOwnControls) {
    auto page = Open();
    const std::vector<QWidget*> connectTab = {page->SpanField(),    page->AddressField(),  page->SpanOkButton(),
                                              page->AddressOkButton(), page->SearchButton(), page->ConnectButton(),
                                              page->OfflineButton(), page->DeviceList(),  page->SectionCaption()};
    const std::vector<QWidget*> helpTab = {page->ResetButton(), page->LocalButton(), page->TransferProgress(),
                                           page->CurrentVersionLabel(), page->LocalVersionLabel()};
    const auto visible = [](const std::vector<QWidget*>& controls) {
        return std::all_of(controls.begin(), controls.end(), [](QWidget* w) { return w->isVisible(); });
    };
    const auto hidden = [](const std::vector<QWidget*>& controls) {
        return std::none_of(controls.begin(), controls.end(), [](QWidget* w) { return w->isVisible(); });
    };

    EXPECT_EQ(page->CurrentTab(), kTabConnect);
    EXPECT_TRUE(visible(connectTab));
    EXPECT_FALSE(page->ScanProgress()->isVisible());
    EXPECT_FALSE(page->LimitToggle(0)->isVisible());
    EXPECT_TRUE(page->TabButton(kTabConnect)->GetDown());

    QTest::mouseClick(page->TabButton(kTabLimit), Qt::LeftButton);
    EXPECT_EQ(page->CurrentTab(), kTabLimit);
    EXPECT_TRUE(hidden(connectTab));
    for (int k = 0; k < CSystemDlg::kToggleCount; ++k) EXPECT_TRUE(page->LimitToggle(k)->isVisible()) << k;
    EXPECT_TRUE(page->TabButton(kTabLimit)->GetDown());
    EXPECT_FALSE(page->TabButton(kTabConnect)->GetDown());

    page->ShowTab(kTabShow);
    EXPECT_TRUE(page->SaveButton()->isVisible());
    for (int k = 0; k < CSystemDlg::kSceneSlots; ++k) EXPECT_FALSE(page->SceneButton(k)->isVisible()) << k;
    EXPECT_FALSE(page->LimitToggle(0)->isVisible());

    page->ShowTab(kTabHelp);
    EXPECT_TRUE(visible(helpTab));
    EXPECT_FALSE(page->UpdateButton()->isVisible());
    EXPECT_FALSE(page->SaveButton()->isVisible());

    page->ShowTab(7);
    EXPECT_EQ(page->CurrentTab(), kTabHelp);
}

TEST_F(SystemPage, ControlsStandAtTheirPlaces) {
    auto page = Open();
    EXPECT_EQ(page->TabButton(kTabConnect)->geometry(), QRect(100, 50, 100, 24));
    EXPECT_EQ(page->TabButton(kTabShow)->geometry(), QRect(300, 50, 100, 24));
    EXPECT_EQ(page->TabButton(kTabHelp)->geometry(), QRect(500, 50, 100, 24));
    EXPECT_EQ(page->TabButton(kTabLimit)->geometry(), QRect(700, 50, 100, 24));
    EXPECT_EQ(page->AddressField()->geometry(), QRect(400, 200, 120, 24));
    EXPECT_EQ(page->ConnectButton()->geometry(), QRect(400, 230, 100, 24));
    EXPECT_EQ(page->DeviceList()->geometry(), QRect(100, 270, 600, 200));
    EXPECT_EQ(page->ScanProgress()->geometry(), QRect(100, 470, 600, 20));
    EXPECT_EQ(page->LimitToggle(9)->geometry(), QRect(200, 200, 80, 30));
    EXPECT_EQ(page->LimitToggle(16)->geometry(), QRect(100, 250, 80, 30));
    EXPECT_EQ(page->LimitToggle(27)->geometry(), QRect(500, 300, 80, 30));
    EXPECT_EQ(page->SceneButton(31)->geometry(), QRect(640, 330, 50, 50));
    EXPECT_EQ(page->UpdateButton()->geometry(), QRect(220, 150, 100, 24));
}

TEST_F(SystemPage, LabelsInBothLanguagesKeepLimitAndTheListHeaders) {
    auto page = Open(2);
    EXPECT_EQ(page->TabButton(kTabConnect)->text(), "连接");
    EXPECT_EQ(page->TabButton(kTabShow)->text(), "演示");
    EXPECT_EQ(page->TabButton(kTabHelp)->text(), "帮助");
    EXPECT_EQ(page->TabButton(kTabLimit)->text(), "LIMIT");
    EXPECT_EQ(page->SectionCaption()->DisplayText(), "设备设置");
    EXPECT_EQ(page->SearchButton()->text(), "搜索");
    EXPECT_EQ(page->OfflineButton()->text(), "离线");
    EXPECT_EQ(page->ConnectButton()->text(), "连接");
    EXPECT_EQ(page->LocalButton()->text(), "本地升级");
    EXPECT_EQ(page->DeviceList()->horizontalHeaderItem(0)->text(), "DEVICE IP");
    EXPECT_EQ(page->DeviceList()->horizontalHeaderItem(3)->text(), "USERNAME2");
    EXPECT_EQ(page->CurrentVersionLabel()->DisplayText(), "当前版本：0.0");
    EXPECT_EQ(page->LocalVersionLabel()->DisplayText(), "本地升级版本：1.2");

    page->SetLabels(1);
    EXPECT_EQ(page->TabButton(kTabConnect)->text(), "CONNECT");
    EXPECT_EQ(page->SpanOkButton()->text(), "OK");
    EXPECT_EQ(page->ResetButton()->text(), "RESET");
    EXPECT_EQ(page->UpdateButton()->text(), "UPDATE");
    EXPECT_EQ(page->LocalVersionLabel()->DisplayText(), "Local version：1.2");
    page->SetLabels(3);
    EXPECT_EQ(page->TabButton(kTabConnect)->text(), "CONNECT");
}

TEST_F(SystemPage, OpeningShowsTheAddressSpanVersionAndLinkState) {
    context.deviceAddress = "127.0.0.9";
    context.spanTimeMs = 60;
    context.firmwareVersion = "37";
    link.connected = true;
    auto page = Open(2);
    EXPECT_EQ(page->AddressField()->text(), "127.0.0.9");
    EXPECT_EQ(page->SpanField()->text(), "60");
    EXPECT_EQ(page->CurrentVersionLabel()->DisplayText(), "当前版本：3.7");
    EXPECT_EQ(page->ConnectButton()->text(), "断开");
    EXPECT_TRUE(page->ConnectButton()->GetDown());
    // The caption follows the link, also after a change of labels.
    page->SetLabels(1);
    EXPECT_EQ(page->ConnectButton()->text(), "DISCONNECT");
    link.connected = false;
    emit link.indicatorsChanged();
    EXPECT_EQ(page->ConnectButton()->text(), "CONNECT");
    EXPECT_FALSE(page->ConnectButton()->GetDown());
    // A full-state reply that comes while the page is open brings the version.
    context.firmwareVersion = "12";
    emit link.stateReplyApplied();
    EXPECT_EQ(page->CurrentVersionLabel()->DisplayText(), "Current version：1.2");
}

TEST_F(SystemPage, AddressOkTakesADottedAddressOrNothing) {
    auto page = Open(2);
    page->AddressField()->setText(" 127.0.0.7 ");
    QTest::mouseClick(page->AddressOkButton(), Qt::LeftButton);
    EXPECT_EQ(context.deviceAddress, "127.0.0.7");
    EXPECT_EQ(Profile(), "127.0.0.7");

    for (const char* wrong : {"127.0.0", "mixer.local", "127.0.0.256", "010.0.0.1"}) {
        page->AddressField()->setText(wrong);
        page->OnAddressOk();
        EXPECT_EQ(context.deviceAddress, "127.0.0.7") << wrong;
    }
    EXPECT_EQ(Profile(), "127.0.0.7");
    ASSERT_EQ(notifier.messages.size(), 4u);
    EXPECT_EQ(notifier.messages[0].text, "设备IP必须是用点隔开的四个0到255的数字，例如192.168.1.106。");

    // An empty field is taken: the next start goes back to the default address.
    page->AddressField()->clear();
    page->OnAddressOk();
    EXPECT_EQ(context.deviceAddress, "");
    EXPECT_TRUE(QSettings(context.profileFile, QSettings::IniFormat).contains("U_FONT_SECTION/hostip"));
    EXPECT_EQ(Profile(), "");
    EXPECT_EQ(notifier.messages.size(), 4u);
}

TEST_F(SystemPage, TheOscSwitchStartsAndStopsTheServerOnTheFieldsPortAndTheProfileKeepsIt) {
    class FakeOsc : public OscControl {
    public:
        bool Apply(const OscSettings& s) override {
            ++applied;
            settings = s;
            settings.enabled = s.enabled && !refuse;
            return settings.enabled == s.enabled;
        }
        const OscSettings& Settings() const override { return settings; }
        bool IsListening() const override { return settings.enabled; }
        QString LastError() const override { return QStringLiteral("taken"); }
        OscSettings settings;
        bool refuse = false;
        int applied = 0;
    } osc;
    context.osc = &osc;
    auto page = Open();
    EXPECT_EQ(page->OscPortField()->text(), "9000");

    page->OscPortField()->setText("9100");
    page->OscSwitch()->click();
    EXPECT_TRUE(osc.IsListening());
    EXPECT_EQ(osc.settings.port, 9100);
    EXPECT_TRUE(page->OscSwitch()->GetDown());
    EXPECT_EQ(page->OscSwitch()->text(), "ON");
    EXPECT_TRUE(ProfileOscSettings(context.profileFile).enabled);
    EXPECT_EQ(ProfileOscSettings(context.profileFile).port, 9100);

    page->OscSwitch()->click();
    EXPECT_FALSE(osc.IsListening());
    EXPECT_FALSE(page->OscSwitch()->GetDown());
    EXPECT_FALSE(ProfileOscSettings(context.profileFile).enabled);

    page->OscPortField()->setText("0");
    page->OscSwitch()->click();
    EXPECT_EQ(osc.applied, 2);
    EXPECT_EQ(notifier.messages.back().text, "The OSC port must be a number from 1 to 65535.");
    osc.refuse = true;
    page->OscPortField()->setText("9200");
    page->OscSwitch()->click();
    EXPECT_EQ(notifier.messages.back().text, "OSC cannot listen on 127.0.0.1:9200: taken");
    EXPECT_FALSE(page->OscSwitch()->GetDown());
    EXPECT_FALSE(ProfileOscSettings(context.profileFile).enabled);
}

TEST_F(SystemPage, AnAddressTheProfileCannotKeepIsUsedAndReported) {
    QFile blocker(dir.filePath("not-a-directory"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    context.profileFile = dir.filePath("not-a-directory/mixer-editor.ini");
    auto page = Open();
    page->AddressField()->setText("127.0.0.7");
    page->OnAddressOk();
    EXPECT_EQ(context.deviceAddress, "127.0.0.7");
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "The address could not be saved in " + context.profileFile.toStdString());
}

TEST_F(SystemPage, SpanOkSetsTheSpanTimeAsAtoiReadsTheField) {
    auto page = Open();
    page->SpanField()->setText("250");
    QTest::mouseClick(page->SpanOkButton(), Qt::LeftButton);
    EXPECT_EQ(context.spanTimeMs, 250);
    page->SpanField()->setText("abc");
    page->OnSpanOk();
    EXPECT_EQ(context.spanTimeMs, 0);
}

TEST_F(SystemPage, TheResyncPeriodTypedHereReachesTheLinkAndTheProfile) {
    auto page = Open();
    EXPECT_EQ(page->ResyncField()->text(), "5");
    const struct {
        const char* typed;
        int ms;  // what the context holds after OK
        bool refused;
    } cases[] = {{"2.5", 2500, false}, {"0", 0, false}, {"abc", 0, true}, {"7200", 0, true}, {" 10 ", 10000, false}};
    for (const auto& c : cases) {
        notifier.messages.clear();
        page->ResyncField()->setText(QString::fromLatin1(c.typed));
        QTest::keyClick(page->ResyncField(), Qt::Key_Return);
        EXPECT_EQ(context.resyncMs, c.ms) << c.typed;
        EXPECT_EQ(link.sync.periodMs, c.ms) << c.typed;
        EXPECT_EQ(ProfileResyncMs(context.profileFile), c.ms) << c.typed;
        EXPECT_EQ(notifier.messages.size(), c.refused ? 1u : 0u) << c.typed;
        EXPECT_EQ(page->ResyncField()->text().toStdString(), ResyncText(c.ms)) << c.typed;
    }
}

TEST_F(SystemPage, TheSpanTimeTypedHerePacesADragOnTheEqGraph) {
    auto page = Open();
    mixer::testing::FakeStripHost host;
    context.model.SetSink(&host);
    ManualClock clock;
    CPeqDlg peq(context, host, nullptr);
    peq.SetClock(clock);
    peq.SetChannel(0);
    // Sends of band 2 during a 600 ms drag, one move every 10 ms.
    auto sendsDuringADrag = [&] {
        host.sent.clear();
        peq.OnPointMoved(1, 500, 0.0, 0);
        for (int i = 1; i <= 60; ++i) {
            clock.Advance(std::chrono::milliseconds(10));
            peq.OnPointMoved(1, 500 + 10 * i, 0.1 * i, 1);
        }
        return host.sent.size();
    };

    page->SpanField()->setText(QStringLiteral("300"));
    QTest::mouseClick(page->SpanOkButton(), Qt::LeftButton);
    const std::size_t slow = sendsDuringADrag();
    EXPECT_LE(slow, 1u + 2u);

    page->SpanField()->setText(QStringLiteral("20"));
    QTest::mouseClick(page->SpanOkButton(), Qt::LeftButton);
    EXPECT_GE(sendsDuringADrag(), 1u + 20u);
}

TEST_F(SystemPage, LimitTogglesNameTheChannelsAndOutputsAndKeepTheirFlags) {
    SetGbkName(context.model.Mirror().strips[3].name, "Kick");
    SetGbkName(context.model.Mirror().buses[2].name, "Wedge");
    auto page = Open(2);
    page->ShowTab(kTabLimit);
    EXPECT_EQ(page->LimitToggle(3)->text(), "Kick");
    EXPECT_EQ(page->LimitToggle(16)->text(), DecodeGbkName(context.model.Mirror().buses[0].name));
    EXPECT_EQ(page->LimitToggle(17)->text(), "Wedge");
    EXPECT_EQ(page->LimitToggle(23)->text(), "EFFECT");
    EXPECT_EQ(page->LimitToggle(27)->text(), "SHOW");
    SetGbkName(context.model.Mirror().strips[4].name, "WWWWWWWWWWWWWWW");
    SetGbkName(context.model.Mirror().buses[3].name, "Overhead L+R 12");
    page->ShowTab(kTabConnect);
    page->ShowTab(kTabLimit);
    for (int k = 0; k < CSystemDlg::kToggleCount; ++k) {
        const CImageButton::CaptionLayout caption = page->LimitToggle(k)->LayOutCaption();
        EXPECT_TRUE(page->LimitToggle(k)->rect().contains(caption.bounds)) << k;
    }

    QTest::mouseClick(page->LimitToggle(17), Qt::LeftButton);
    EXPECT_EQ(context.restrictions[17], 1);
    EXPECT_TRUE(page->LimitToggle(17)->GetDown());
    page->OnLimitToggle(17);
    EXPECT_EQ(context.restrictions[17], 0);
    EXPECT_FALSE(page->LimitToggle(17)->GetDown());

    context.restrictions[25] = 1;
    page->ShowTab(kTabConnect);
    page->ShowTab(kTabLimit);
    EXPECT_TRUE(page->LimitToggle(25)->GetDown());
}

TEST_F(SystemPage, UpdateShowsOnlyWithAnUpdatePage) {
    context.updateUrl = "http://127.0.0.1:8080/update.txt";
    auto page = Open();
    page->ShowTab(kTabHelp);
    EXPECT_TRUE(page->UpdateButton()->isVisible());
}

TEST_F(SystemPage, ConnectStartsTheLinkAndLeavesThePageDisconnectStaysOnIt) {
    auto page = Open();
    QSignalSpy leave(page.get(), &CSystemDlg::leaveRequested);
    QTest::mouseClick(page->ConnectButton(), Qt::LeftButton);
    EXPECT_EQ(link.connects, 1);
    EXPECT_EQ(leave.size(), 1);

    link.GoOnline();
    EXPECT_EQ(page->ConnectButton()->text(), "DISCONNECT");
    QTest::mouseClick(page->ConnectButton(), Qt::LeftButton);
    EXPECT_EQ(link.disconnects, 1);
    EXPECT_EQ(leave.size(), 1);
    EXPECT_EQ(page->ConnectButton()->text(), "CONNECT");

    QTest::mouseClick(page->OfflineButton(), Qt::LeftButton);
    EXPECT_EQ(leave.size(), 2);
    EXPECT_EQ(link.connects, 1);
}

TEST_F(SystemPage, SearchStopsTheLinkThenConnectStopsTheSearch) {
    link.GoOnline();
    auto page = Open();
    QTest::mouseClick(page->SearchButton(), Qt::LeftButton);
    EXPECT_EQ(link.disconnects, 1);
    EXPECT_TRUE(page->Discovery().IsListening());
    EXPECT_TRUE(page->ScanProgress()->isVisible());

    QTest::mouseClick(page->ConnectButton(), Qt::LeftButton);
    EXPECT_FALSE(page->Discovery().IsListening());
    EXPECT_FALSE(page->ScanProgress()->isVisible());
    EXPECT_EQ(link.connects, 1);
}

TEST_F(SystemPage, SearchWaitsForTheLinkToLetGoOfThePort) {
    link.receiving = true;
    auto page = Open();
    page->StartDiscovery();
    EXPECT_FALSE(page->Discovery().IsListening());
    link.receiving = false;
    EXPECT_TRUE(WaitUntil([&] { return page->Discovery().IsListening(); }));
}

TEST_F(SystemPage, SearchWithoutAnAddressToScanFromSaysSo) {
    context.bindAddress = "";
    auto page = Open(2);
    page->Discovery().SetInterfaceSource([] { return std::vector<InterfaceInfo>{{true, true, {"127.0.0.1"}}}; });
    page->StartDiscovery();
    EXPECT_FALSE(page->Discovery().IsListening());
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "无法搜索：这台电脑没有已启用的IPv4网络（回环网络除外）。");
    EXPECT_EQ(notifier.messages[0].caption, "Warming");
}

}  // namespace
