#include <QImage>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>

#include "host/app_context.h"
#include "console/fake_link.h"
#include "host/gbk_text.h"
#include "console/message_box_notifier.h"
#include "console/mixer_app.h"
#include "console/screenshot.h"
#include "console/termination_watcher.h"

using namespace mixer;
using mixer::testing::FakeLink;

namespace {

TEST(GbkNames, CutAtACharacterBoundaryAndRoundTrip) {
    char field[kNameSize];
    SetGbkName(field, QString::fromUtf8("通道 3"));
    EXPECT_STREQ(field, "\xCD\xA8\xB5\xC0 3");
    EXPECT_EQ(DecodeGbkName(field), QString::fromUtf8("通道 3"));

    // Eight two-byte characters are 16 bytes: the eighth does not fit whole.
    SetGbkName(field, QString::fromUtf8("通道通道通道通道"));
    EXPECT_EQ(std::strlen(field), 14u);
    EXPECT_EQ(DecodeGbkName(field), QString::fromUtf8("通道通道通道通"));
    SetGbkName(field, QString::fromUtf8("ABCDEFGHIJKLMN通"));
    EXPECT_STREQ(field, "ABCDEFGHIJKLMN");
    SetGbkName(field, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
    EXPECT_STREQ(field, "ABCDEFGHIJKLMNO");

    // A field without its terminator is read to its end only.
    std::memset(field, 'x', sizeof field);
    EXPECT_EQ(DecodeGbkName(field).size(), kNameSize);
}

TEST(Options, FillTheContext) {
    AppContext context;
    EditorOptions options;
    options.language = 1;
    ApplyOptions(context, options, "/opt/mixer");
    EXPECT_EQ(context.language, 1);
    EXPECT_EQ(context.dataDir, "/opt/mixer");
    EXPECT_EQ(context.profileFile, "/opt/mixer/mixer-editor.ini");
    options.dataDir = "/tmp/data";
    options.profileFile = "/tmp/p.ini";
    options.updateUrl = "http://127.0.0.1:9/u";
    ApplyOptions(context, options, "/opt/mixer");
    EXPECT_EQ(context.dataDir, "/tmp/data");
    EXPECT_EQ(context.profileFile, "/tmp/p.ini");
    EXPECT_EQ(context.updateUrl, "http://127.0.0.1:9/u");
}

// The language of a start: the command line, else a 1 or 2 the profile
// keeps, else the desktop's (Chinese for every Chinese locale).
TEST(Options, StartLanguageFromCommandLineProfileOrDesktop) {
    struct Case {
        std::vector<std::string> args;
        const char* profile;  // the profile's language entry; nullptr: none
        const char* locale;
        int expected;
    };
    const std::vector<Case> cases = {
        {{}, nullptr, "zh_CN", 2},
        {{}, nullptr, "zh_TW", 2},
        {{}, nullptr, "en_US", 1},
        {{}, nullptr, "de_DE", 1},
        {{}, nullptr, "C", 1},
        {{}, "1", "zh_CN", 1},
        {{}, "2", "en_US", 2},
        {{}, "3", "zh_CN", 2},
        {{}, "english", "de_DE", 1},
        {{}, "", "zh_TW", 2},
        {{"--language", "1"}, "2", "zh_CN", 1},
        {{"--language=2"}, "1", "C", 2},
        {{"--language", "2"}, nullptr, "en_US", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.locale << " profile " << (c.profile ? c.profile : "none") << " args "
                                        << c.args.size());
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        if (c.profile) {
            QSettings profile(dir.filePath("mixer-editor.ini"), QSettings::IniFormat);
            profile.setValue("U_FONT_SECTION/language", c.profile);
        }
        const ParsedOptions parsed = ParseEditorOptions(c.args);
        ASSERT_TRUE(parsed.error.empty()) << parsed.error;
        AppContext context;
        ApplyOptions(context, parsed.options, dir.path(), QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(context.language, c.expected);
    }
}

// However short its text, a box leaves the window manager room for its
// whole title beside the title bar's buttons.
TEST(MessageBox, IsWideEnoughForItsTitle) {
    const std::pair<const char*, const char*> boxes[] = {
        {"OK", "Warning"}, {"-", "The preset database could not be opened"}, {"好", "警告"}, {"update fail", ""}};
    for (const auto& [text, caption] : boxes) {
        SCOPED_TRACE(caption);
        std::unique_ptr<QMessageBox> box(MakeMessageBox(QString::fromUtf8(text), QString::fromUtf8(caption)));
        box->show();
        QCoreApplication::processEvents();
        // Without a caption the title bar shows the program's name.
        const QString title = *caption ? QString::fromUtf8(caption) : QGuiApplication::applicationDisplayName();
        ASSERT_FALSE(title.isEmpty());
        EXPECT_GE(box->width(), WidthForTitle(title));
        // The box sizes itself again whenever it lays itself out.
        box->setText(box->text() + QStringLiteral("!"));
        QCoreApplication::processEvents();
        EXPECT_GE(box->width(), WidthForTitle(title));
        EXPECT_GT(WidthForTitle(title), box->fontMetrics().horizontalAdvance(title));
    }
}

TEST(Screenshot, WritesAPngOrSaysWhyNot) {
    QTemporaryDir dir;
    QWidget widget;
    widget.resize(120, 80);
    const QString file = dir.filePath("shot.png");
    EXPECT_EQ(SaveScreenshot(widget, file), QString());
    const QImage picture(file, "PNG");
    EXPECT_EQ(picture.size(), QSize(120, 80));

    const QString unwritable = dir.filePath("no/such/folder/shot.png");
    EXPECT_FALSE(SaveScreenshot(widget, unwritable).isEmpty());
    EXPECT_FALSE(QFile::exists(unwritable));
}

class Application : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        context.profileFile = dir.filePath("mixer-editor.ini");
    }
    QTemporaryDir dir;
    AppContext context;
    FakeLink link;
    EditorOptions options;
};

TEST_F(Application, ScreenshotThenCloseInOrder) {
    options.screenshotFile = dir.filePath("console.png").toStdString();
    options.deviceAddress = "127.0.0.3";
    link.receiving = true;
    // The receiver stops a little after the going-offline command.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (link.shutdowns > 0) link.receiving = false;
    });
    poll.start(300);
    EXPECT_EQ(CMixerApp(context, link, options).InitInstance(), 0);
    EXPECT_EQ(link.shutdowns, 1);
    EXPECT_EQ(link.connects, 0);
    EXPECT_EQ(context.deviceAddress, "127.0.0.3");
    const QImage picture(QString::fromStdString(options.screenshotFile), "PNG");
    EXPECT_GE(picture.width(), 1640);
    EXPECT_GE(picture.height(), 1040);
}

TEST_F(Application, ScreenshotWaitsForTheConnection) {
    options.screenshotFile = dir.filePath("online.png").toStdString();
    options.connect = true;
    bool onlineWhenClosed = false;
    QTimer::singleShot(400, [&] { link.GoOnline(); });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (link.shutdowns > 0 && !onlineWhenClosed) onlineWhenClosed = link.lit;
    });
    watch.start(10);
    EXPECT_EQ(CMixerApp(context, link, options).InitInstance(), 0);
    EXPECT_EQ(link.connects, 1);
    EXPECT_TRUE(onlineWhenClosed);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(options.screenshotFile)));
}

TEST_F(Application, UnwritableScreenshotEndsWithStatusOne) {
    options.screenshotFile = dir.filePath("missing/folder/c.png").toStdString();
    EXPECT_EQ(CMixerApp(context, link, options).InitInstance(), 1);
    EXPECT_EQ(link.shutdowns, 1);
}

TEST_F(Application, TerminationSignalClosesLikeTheWindow) {
    QTimer::singleShot(200, [] { std::raise(SIGTERM); });
    EXPECT_EQ(CMixerApp(context, link, options).InitInstance(), 0);
    EXPECT_EQ(link.shutdowns, 1);
}

TEST(TerminationWatcher, ReportsSigintAndSigterm) {
    TerminationWatcher watcher;
    QSignalSpy spy(&watcher, &TerminationWatcher::terminationRequested);
    std::raise(SIGINT);
    QTRY_COMPARE(spy.count(), 1);
    std::raise(SIGTERM);
    QTRY_COMPARE(spy.count(), 2);
}

}  // namespace
