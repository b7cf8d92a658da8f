// mixer-editor as a program: its options are answered before any window
// system is needed, and its start makes what its data folder lacks.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "link/notifier.h"
#include "presets/preset_store.h"

namespace {

// The editor run where no display can be opened: a window system asked for
// here would end the program with an error instead of the answer.
void RunWithoutDisplay(QProcess& editor, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    editor.setProcessEnvironment(env);
    editor.start(QStringLiteral(MIXER_EDITOR_PATH), arguments);
    editor.waitForFinished(20000);
}

TEST(EditorProgram, HelpAndOptionErrorsNeedNoDisplay) {
    QProcess help;
    RunWithoutDisplay(help, {"--help"});
    EXPECT_EQ(help.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(help.exitCode(), 0);
    EXPECT_TRUE(help.readAllStandardOutput().startsWith("Usage: mixer-editor [options]"));

    QProcess wrong;
    RunWithoutDisplay(wrong, {"--language", "9"});
    EXPECT_EQ(wrong.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(wrong.exitCode(), 2);
    EXPECT_TRUE(wrong.readAllStandardError().contains("Try mixer-editor --help."));
}

// The database is made at start, before any page asks for it, from the
// schema the program carries: a new data folder holds no copy to start from.
TEST(EditorProgram, AStartInANewDataFolderMakesTheEmptyPresetDatabase) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString data = dir.filePath("new data");
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    editor.setProcessEnvironment(env);
    editor.start(QStringLiteral(MIXER_EDITOR_PATH), {"--bind", "127.0.0.1", "--device", "127.0.0.2", "--language", "1",
                                                     "--data-dir", data, "--screenshot", dir.filePath("shot.png")});
    ASSERT_TRUE(editor.waitForFinished(30000));
    EXPECT_EQ(editor.exitCode(), 0) << editor.readAllStandardError().toStdString();

    ASSERT_TRUE(QFileInfo(QDir(data).filePath(mixer::PresetStore::kFileName)).isFile());
    mixer::RecordingNotifier notifier;
    mixer::PresetStore store(data, notifier);
    const auto tables = store.Query(QStringLiteral("select name from sqlite_master where type = 'table'"));
    ASSERT_TRUE(tables);
    EXPECT_EQ(tables->size(), 8u);
    EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
