// LOCAL and UPDATE on the HELP tab: what the page does with the link, the
// busy flag, its messages, the progress bar and the version labels, with the
// simulated mixer on 127.0.0.2 and the update page on 127.0.0.1.
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <gtest/gtest.h>

#include <memory>

#include "host/app_context.h"
#include "console/fake_link.h"
#include "link/notifier.h"
#include "link/reset_defaults.h"
#include "loopback.h"
#include "sim/simulated_mixer.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"
#include "system/fast_timing.h"
#include "system/firmware_update.h"
#include "system/local_http_server.h"
#include "system/system_dlg.h"

using namespace mixer;
using mixer::testing::FakeLink;
using mixer::testing::WaitUntil;

namespace {

class UpdatePage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.dataDir = dir.path();
        context.profileFile = dir.filePath("mixer-editor.ini");
        context.link = &link;
        context.notifier = &notifier;
        context.bindAddress = "127.0.0.1";
        context.port = mixer::testing::FreeLoopbackPort();
        context.deviceAddress = "127.0.0.2";
        SetDefaultNames(context.model.Mirror(), 1);
        WriteFile("Quorvane.bin", QByteArray(3000, 'm'));
        WriteFile("LSBF_DSP21489.bin", QByteArray(1200, 'd'));
    }

    void StartMixer(const std::string& version = "12", bool answer = true) {
        SimOptions options;
        options.address = "127.0.0.2";
        options.port = static_cast<uint16_t>(context.port);
        options.version = version;
        options.neverAnswer = !answer;
        mixer = std::make_unique<SimulatedMixer>(options);
        QString error;
        ASSERT_TRUE(mixer->Start(error));
        QObject::connect(mixer.get(), &SimulatedMixer::imageReceived, [this] { ++images; });
    }

    std::unique_ptr<CSystemDlg> Open(int language = 1) {
        auto page = std::make_unique<CSystemDlg>(context);
        page->SetLabels(language);
        page->resize(1400, 700);
        page->show();
        page->ShowTab(kTabHelp);
        page->Updater().SetTiming(mixer::testing::FastTiming());
        return page;
    }

    void WriteFile(const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    bool Ended() { return WaitUntil([&] { return !context.updateBusy; }, 10000); }

    QTemporaryDir dir;
    AppContext context;
    FakeLink link;
    RecordingNotifier notifier;
    std::unique_ptr<SimulatedMixer> mixer;
    int images = 0;
};

TEST_F(UpdatePage, LocalTakesTheLinkOfflineSendsBothImagesAndShowsTheVersions) {
    StartMixer("37");
    link.GoOnline();
    auto page = Open();
    QString shownDuringTransfer;
    QObject::connect(&page->Updater(), &FirmwareUpdate::versionsShown,
                     [&] { shownDuringTransfer = page->CurrentVersionLabel()->DisplayText(); });
    QTest::mouseClick(page->LocalButton(), Qt::LeftButton);
    EXPECT_TRUE(context.updateBusy);
    EXPECT_EQ(link.disconnects, 1);
    EXPECT_EQ(page->ConnectButton()->text(), "CONNECT");

    // While it runs, a second update, a connection or a search is refused.
    page->OnLocal();
    QTest::mouseClick(page->TabButton(kTabConnect), Qt::LeftButton);
    QTest::mouseClick(page->ConnectButton(), Qt::LeftButton);
    page->StartDiscovery();
    EXPECT_EQ(link.connects, 0);
    EXPECT_FALSE(page->Discovery().IsListening());

    ASSERT_TRUE(Ended());
    EXPECT_EQ(notifier.Texts(), (std::vector<std::string>{"Updateing.......", "Updateing.......", "Updateing.......",
                                                          "Update successfully."}));
    EXPECT_EQ(images, 2);
    EXPECT_EQ(context.firmwareVersion, "37");
    EXPECT_EQ(shownDuringTransfer, "Current version：3.7");
    EXPECT_EQ(page->CurrentVersionLabel()->DisplayText(), "Current version：3.7");
    EXPECT_EQ(page->LocalVersionLabel()->DisplayText(), "Local version：1.2");
    // The DSP image's bar, full: two blocks.
    EXPECT_EQ(page->TransferProgress()->maximum(), 2);
    EXPECT_EQ(page->TransferProgress()->value(), 2);
    EXPECT_FALSE(link.connected);
    EXPECT_EQ(link.connects, 0);
}

TEST_F(UpdatePage, TheUpdateWaitsForTheLinkToLetGoOfThePort) {
    StartMixer();
    link.receiving = true;
    auto page = Open();
    int requests = 0;
    QObject::connect(mixer.get(), &SimulatedMixer::received, [&](const QString& m) { requests += m.startsWith("%Z"); });
    page->OnLocal();
    QTest::qWait(50);
    EXPECT_EQ(requests, 0);
    link.receiving = false;
    ASSERT_TRUE(Ended());
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(images, 2);
}

TEST_F(UpdatePage, ASearchUnderWayGivesUpThePortToTheUpdate) {
    StartMixer();
    auto page = Open();
    page->StartDiscovery();
    ASSERT_TRUE(page->Discovery().IsListening());
    page->OnLocal();
    EXPECT_FALSE(page->Discovery().IsListening());
    ASSERT_TRUE(Ended());
    EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"Update successfully."});
    EXPECT_EQ(images, 2);
}

TEST_F(UpdatePage, FailuresAreToldInTheWindowsLanguageAndReleaseTheBusyFlag) {
    StartMixer("12", false);
    auto page = Open(2);
    page->OnLocal();
    ASSERT_TRUE(Ended());
    context.updateUrl = "http://127.0.0.1:1/none";
    page->OnUpdate();
    ASSERT_TRUE(Ended());
    EXPECT_EQ(notifier.Texts(), (std::vector<std::string>{"读取版本失败.", "获得版本失败."}));

    // The port taken by another program: the preparation fails, and says so once.
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress("127.0.0.1"), static_cast<quint16>(context.port),
                            QAbstractSocket::DontShareAddress));
    notifier.messages.clear();
    page->OnLocal();
    ASSERT_TRUE(Ended());
    page->OnLocal();
    ASSERT_TRUE(Ended());
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[1].text, "Winsock error!");
    EXPECT_EQ(notifier.messages[1].caption, "Warming");
}

TEST_F(UpdatePage, UpdateWithoutAnUpdatePageOrWithABadAddressDoesNothing) {
    StartMixer();
    auto page = Open(2);
    page->OnUpdate();
    page->AddressField()->setText("127.0.0");
    page->OnLocal();
    EXPECT_FALSE(context.updateBusy);
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[0].text, "未设置升级网页：请用 --update-url 地址 启动程序。");
    EXPECT_EQ(notifier.messages[1].text, "设备IP必须是用点隔开的四个0到255的数字，例如192.168.1.106。");
    EXPECT_EQ(context.deviceAddress, "127.0.0.2");
}

TEST_F(UpdatePage, UpdateShowsThePublishedVersionAndLeavesANewerMixerAlone) {
    StartMixer("12");
    mixer::testing::LocalHttpServer web;
    web.bodies["/update.txt"] = "##$$http://127.0.0.1/a.bin%%%%http://127.0.0.1/b.bin%%%%9$$##";
    context.updateUrl = web.Url("/update.txt");
    auto page = Open(2);
    QTest::mouseClick(page->UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"软件已是最新版本."});
    EXPECT_EQ(page->LocalVersionLabel()->DisplayText(), "最新升级版本：0.9");
    page->SetLabels(1);
    EXPECT_EQ(page->LocalVersionLabel()->DisplayText(), "Remote version：0.9");
    EXPECT_EQ(images, 0);
}

TEST_F(UpdatePage, ClosingThePageDuringATransferEndsItWithoutAWord) {
    StartMixer();
    WriteFile("Quorvane.bin", QByteArray(200 * 1024, 'm'));
    auto page = Open();
    int blocks = 0;
    QObject::connect(mixer.get(), &SimulatedMixer::received, [&](const QString& m) { blocks += m.startsWith("%T"); });
    page->OnLocal();
    ASSERT_TRUE(WaitUntil([&] { return blocks >= 1; }, 8000));
    page.reset();
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_FALSE(context.updateBusy);
    QUdpSocket again;
    EXPECT_TRUE(again.bind(QHostAddress("127.0.0.1"), static_cast<quint16>(context.port), QAbstractSocket::DontShareAddress));
}

}  // namespace
