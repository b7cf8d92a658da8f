// LOCAL as a user meets it: the whole editor, connected to mixer-sim running
// as a program of its own, sends both image files with the protocol's own
// pacing, and mixer-sim reports what it received.
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/editor_link.h"
#include "host/app_context.h"
#include "console/mixer_dlg.h"
#include "link/notifier.h"
#include "link/wire_format.h"
#include "loopback.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"
#include "system/system_dlg.h"

using namespace mixer;
using mixer::testing::WaitUntil;

namespace {

QByteArray Image(int length, int seed) {
    QByteArray image(length, '\0');
    for (int i = 0; i < length; ++i) image[i] = static_cast<char>((i * 29 + seed) ^ (i >> 8));
    return image;
}

QString ArrivalLine(int target, const QByteArray& image) {
    const quint16 crc = Crc16Modbus(image.constData(), static_cast<std::size_t>(image.size()));
    return QStringLiteral("image for target %1: %2 bytes, checksum %3, accepted")
        .arg(target)
        .arg(image.size())
        .arg(QStringLiteral("%1").arg(crc, 4, 16, QLatin1Char('0')).toUpper());
}

TEST(FirmwareEndToEnd, LocalSendsBothImagesToMixerSim) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const quint16 port = mixer::testing::FreeLoopbackPort();
    QProcess sim;
    sim.start(QStringLiteral(MIXER_SIM_PATH),
              {"--address", "127.0.0.2", "--port", QString::number(port), "--version", "23"});
    QByteArray simOutput;
    ASSERT_TRUE(WaitUntil([&] {
        simOutput += sim.readAllStandardOutput();
        return simOutput.contains("listening");
    }));

    const QByteArray mainBoard = Image(5000, 1);
    const QByteArray dsp = Image(3072, 2);  // a whole number of blocks: the checksum gets one of its own
    for (const auto& [name, bytes] : {std::pair{"Quorvane.bin", mainBoard}, std::pair{"LSBF_DSP21489.bin", dsp}}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    AppContext context;
    RecordingNotifier notifier;
    EditorOptions options;
    context.dataDir = dir.path();
    context.profileFile = dir.filePath("mixer-editor.ini");
    context.notifier = &notifier;
    options.bindAddress = "127.0.0.1";
    options.port = port;
    EditorLink built = BuildEditorLink(context, options, notifier);
    auto window = std::make_unique<CMixerDlg>(context, *built.link);
    context.deviceAddress = "127.0.0.2";
    window->resize(1640, 1040);
    window->show();
    built.link->Connect();
    ASSERT_TRUE(WaitUntil([&] { return built.link->IsConnected(); }));

    window->ShowPage(window->Page(), window->SelectedOutput(), kModeSystem);
    auto* system = qobject_cast<CSystemDlg*>(window->Pages().system);
    ASSERT_NE(system, nullptr);
    QTest::mouseClick(system->TabButton(kTabHelp), Qt::LeftButton);
    QTest::mouseClick(system->LocalButton(), Qt::LeftButton);
    EXPECT_TRUE(context.updateBusy);
    ASSERT_TRUE(WaitUntil([&] { return !context.updateBusy; }, 20000));

    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "Update successfully.");
    EXPECT_FALSE(built.link->IsConnected());
    EXPECT_EQ(system->CurrentVersionLabel()->DisplayText(), "当前版本：2.3");
    ASSERT_TRUE(WaitUntil([&] {
        simOutput += sim.readAllStandardOutput();
        return simOutput.count("image for target") >= 2;
    }));
    const QStringList lines = QString::fromLatin1(simOutput).split('\n').filter("image for target");
    EXPECT_EQ(lines, (QStringList{ArrivalLine(1, mainBoard), ArrivalLine(0, dsp)}));

    window->close();
    WaitUntil([&] { return window->HasEnded(); });
    sim.terminate();
    sim.waitForFinished(3000);
}

}  // namespace
