// The search as a user meets it: the system page of the whole editor finds
// two simulated mixers, a click takes one and CONNECT connects to it; and
// mixer-editor --discover lists them for a script.

#include <QProcess>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/discover_run.h"
#include "app/editor_link.h"
#include "host/app_context.h"
#include "console/input_strip_dlg.h"
#include "console/mixer_dlg.h"
#include "link/notifier.h"
#include "loopback.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/text_field.h"
#include "system/scan_fixture.h"
#include "system/system_dlg.h"

using namespace mixer;
using mixer::testing::WaitUntil;

namespace {

constexpr int kScanWaitMs = 6000;

class DiscoveryEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.dataDir = dir.path();
        context.profileFile = dir.filePath("mixer-editor.ini");
        context.notifier = &notifier;
        options.bindAddress = "127.0.0.1";
        options.port = port;
        ASSERT_TRUE(mixers.started);
        built = BuildEditorLink(context, options, notifier);
        ASSERT_NE(built.link, nullptr);
        window = std::make_unique<CMixerDlg>(context, *built.link);
        window->resize(1640, 1040);
        window->show();
        system = qobject_cast<CSystemDlg*>(window->Pages().system);
        ASSERT_NE(system, nullptr);
    }

    void TearDown() override {
        if (!window) return;
        window->close();
        WaitUntil([&] { return window->HasEnded(); });
    }

    // Search on the system page until both mixers are listed with every
    // column filled; callers wrap it in ASSERT_NO_FATAL_FAILURE, so that a
    // search that found less ends the test instead of the rows read after it.
    void Search() {
        // As the side panel's SYSTEM opens it, online or not.
        window->ShowPage(window->Page(), window->SelectedOutput(), kModeSystem);
        ASSERT_TRUE(system->isVisible());
        QTest::mouseClick(system->SearchButton(), Qt::LeftButton);
        ASSERT_TRUE(WaitUntil([&] { return system->DeviceList()->rowCount() == 2; }, kScanWaitMs));
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column) ASSERT_NE(system->DeviceList()->item(row, column), nullptr);
        }
    }

    void ClickRow(int row) {
        QTableWidget* list = system->DeviceList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row, 1)).center());
    }

    const quint16 port = mixer::testing::FreeScanPort();
    mixer::testing::TwoMixers mixers{port};
    QTemporaryDir dir;
    AppContext context;
    EditorOptions options;
    RecordingNotifier notifier;
    EditorLink built;
    std::unique_ptr<CMixerDlg> window;
    CSystemDlg* system = nullptr;
};

TEST_F(DiscoveryEndToEnd, ClickingAFoundMixerThenConnectShowsItsState) {
    ASSERT_NO_FATAL_FAILURE(Search());
    QTableWidget* list = system->DeviceList();
    EXPECT_EQ(list->item(0, 0)->text(), "127.0.0.5");
    EXPECT_EQ(list->item(1, 0)->text(), "127.0.0.9");
    EXPECT_EQ(list->item(1, 1)->text(), QString::number(port));
    EXPECT_EQ(list->item(1, 2)->text(), "ADMIN");

    ClickRow(1);
    EXPECT_EQ(system->AddressField()->text(), "127.0.0.9");
    EXPECT_EQ(context.deviceAddress, "127.0.0.9");
    EXPECT_EQ(QSettings(context.profileFile, QSettings::IniFormat).value("U_FONT_SECTION/hostip").toString(),
              "127.0.0.9");

    QTest::mouseClick(system->ConnectButton(), Qt::LeftButton);
    EXPECT_EQ(window->Mode(), kModeStrips);
    EXPECT_FALSE(system->Discovery().IsListening());
    ASSERT_TRUE(WaitUntil([&] { return built.link->IsConnected(); }));
    const SimulatedMixer& chosen = *mixers.mixers[1];
    EXPECT_EQ(chosen.StateRequests(), 1);
    EXPECT_EQ(mixers.mixers[0]->StateRequests(), 0);
    EXPECT_EQ(context.firmwareVersion, "37");
    const auto* strip = static_cast<CInputStripDlg*>(window->Pages().inputs[0]);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->Fader()->GetPos(), FaderPositionFromLevel(chosen.State().strips[0].level));
    EXPECT_EQ(system->ConnectButton()->text(), "断开");
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(DiscoveryEndToEnd, ASearchStopsTheLinkAndConnectingAgainWorks) {
    context.deviceAddress = "127.0.0.5";
    built.link->Connect();
    ASSERT_TRUE(WaitUntil([&] { return built.link->IsConnected(); }));

    ASSERT_NO_FATAL_FAILURE(Search());
    EXPECT_FALSE(built.link->IsConnected());
    ClickRow(0);
    QTest::mouseClick(system->ConnectButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return built.link->IsConnected(); }));
    EXPECT_EQ(mixers.mixers[0]->StateRequests(), 2);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST(DiscoverCommand, ListsEachMixerOnALineOfItsOwn) {
    const quint16 port = mixer::testing::FreeScanPort();
    mixer::testing::TwoMixers mixers(port);
    ASSERT_TRUE(mixers.started);
    QProcess editor;
    editor.start(QStringLiteral(MIXER_EDITOR_PATH),
                 {"--bind", "127.0.0.1", "--port", QString::number(port), "--discover"});
    // The mixers answer from this process's event loop, so the wait must run it.
    ASSERT_TRUE(WaitUntil([&] { return editor.state() == QProcess::NotRunning; }, kScanWaitMs));
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(editor.exitCode(), 0);
    EXPECT_EQ(editor.readAllStandardOutput(), "127.0.0.5\n127.0.0.9\n");
}

TEST(DiscoverCommand, FailsWithAMessageWithoutAnAddressToScanFrom) {
    EditorOptions options;
    options.port = mixer::testing::FreeScanPort();
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = RunDiscovery(options, outStream, errStream,
                                  [] { return std::vector<InterfaceInfo>{{true, true, {"127.0.0.1"}}, {false, false, {"192.0.2.4"}}}; });
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("no address to search from")) << err.toStdString();
}

}  // namespace
