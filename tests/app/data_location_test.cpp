// Where the data lives: beside a program in the build folder; for an
// installed program in the user's folder, made on first start.

#include "app/data_location.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace mixer;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DataLocationTest : public ::testing::Test {
protected:
    QString Path(const char* relative) const { return root.filePath(QString::fromLatin1(relative)); }

    QTemporaryDir root;
};

}  // namespace

TEST_F(DataLocationTest, AProgramOutsideAnInstalledTreeKeepsItsDataBesideItself) {
    Write(Path("build/src/app/Korvel.mdb"), "build");
    // A bin folder without the installed database is no installation either.
    QDir().mkpath(Path("opt/bin"));
    for (const char* program : {"build/src/app", "opt/bin"}) {
        EXPECT_TRUE(InstalledShareDir(Path(program)).isEmpty()) << program;
        const DataDirChoice choice = DefaultDataDir(Path(program), Path("home/data"), 1);
        EXPECT_EQ(choice.dir, Path(program));
        EXPECT_TRUE(choice.error.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(Path("home/data")));
}

TEST_F(DataLocationTest, AnInstalledProgramMakesTheUsersFolderAndLeavesItsDatabaseAlone) {
    Write(Path("usr/share/mixer-editor/Korvel.mdb"), "empty");
    QDir().mkpath(Path("usr/bin"));
    EXPECT_EQ(InstalledShareDir(Path("usr/bin")), Path("usr/share/mixer-editor"));

    const QString data = Path("home/.local/share/mixer-editor");
    DataDirChoice choice = DefaultDataDir(Path("usr/bin"), data, 1);
    EXPECT_EQ(choice.dir, data);
    EXPECT_TRUE(choice.error.isEmpty()) << choice.error.toStdString();
    EXPECT_TRUE(QFileInfo(data).isDir());
    // The preset store makes the database from the schema the program carries.
    EXPECT_FALSE(QFileInfo::exists(data + "/Korvel.mdb"));

    Write(data + "/Korvel.mdb", "the user's presets");
    choice = DefaultDataDir(Path("usr/bin"), data, 1);
    EXPECT_TRUE(choice.error.isEmpty());
    EXPECT_EQ(Read(data + "/Korvel.mdb"), "the user's presets");
}

TEST_F(DataLocationTest, AFolderThatCannotBeMadeIsReportedInTheWindowsLanguage) {
    Write(Path("usr/share/mixer-editor/Korvel.mdb"), "empty");
    QDir().mkpath(Path("usr/bin"));
    Write(Path("home/file"), "a file where the folder should go");
    const DataDirChoice english = DefaultDataDir(Path("usr/bin"), Path("home/file/data"), 1);
    EXPECT_TRUE(english.error.startsWith("Cannot create the data folder")) << english.error.toStdString();
    const DataDirChoice chinese = DefaultDataDir(Path("usr/bin"), Path("home/file/data"), 2);
    EXPECT_TRUE(chinese.error.startsWith(QString::fromUtf8("无法创建数据文件夹"))) << chinese.error.toStdString();
}
