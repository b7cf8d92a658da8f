// mixer-editor as a program: its options are answered before any window
// system is needed.

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

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

}  // namespace
