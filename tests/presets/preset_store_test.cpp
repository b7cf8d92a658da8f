#include "presets/preset_store.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "preset_test_support.h"

using namespace mixer;
using mixer::testing::MakeDatabase;

namespace {

std::string Text(const QString& s) { return s.toStdString(); }

class PresetStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QTemporaryDir dir;
    RecordingNotifier notifier;
};

}  // namespace

TEST_F(PresetStoreTest, MissingFileShowsTheErrorOncePerAccessAndCreatesNoDatabase) {
    PresetStore store(dir.path(), notifier);
    EXPECT_FALSE(store.Query(QStringLiteral("select ID from \"PEQ\"")));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].text.find("unable to open database file"), std::string::npos)
        << notifier.messages[0].text;
    EXPECT_EQ(notifier.messages[0].caption, "");

    EXPECT_FALSE(store.Execute(QStringLiteral("delete from \"PEQ\"")));
    EXPECT_EQ(notifier.messages.size(), 2u);
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(QFile::exists(store.FilePath()));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PresetStoreTest, OpensOnFirstUseAndAgainAfterClose) {
    ASSERT_EQ(Text(MakeDatabase(dir)), "");
    PresetStore store(dir.path(), notifier);
    EXPECT_FALSE(store.IsOpen());
    ASSERT_TRUE(store.Execute(QStringLiteral("insert into \"GEQ\" values(?, ?, ?)"), {3, "g", "x"}));
    EXPECT_TRUE(store.IsOpen());
    store.Close();
    EXPECT_FALSE(store.IsOpen());
    const auto rows = store.Query(QStringLiteral("select ID, NAME, GEQDATA from \"GEQ\""));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ((*rows)[0][0].toInt(), 3);
    EXPECT_EQ((*rows)[0][2].toString(), "x");
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(PresetStoreTest, FoundInTheDataDirectoryWhateverTheCurrentDirectory) {
    ASSERT_EQ(Text(MakeDatabase(dir)), "");
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    PresetStore relative(QStringLiteral("."), notifier);
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    PresetStore absolute(dir.path(), notifier);
    const bool relativeFound = relative.Query(QStringLiteral("select * from \"REV\"")).has_value();
    const bool absoluteFound = absolute.Query(QStringLiteral("select * from \"REV\"")).has_value();
    QDir::setCurrent(before);

    EXPECT_TRUE(relativeFound);
    EXPECT_TRUE(absoluteFound);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_FALSE(QFile::exists(QDir(elsewhere.path()).filePath(PresetStore::kFileName)));
}

TEST_F(PresetStoreTest, DirectoryNamesWithUriCharactersStillNameTheFile) {
    const QString odd = dir.filePath(QStringLiteral("a b#c?d%20e 现场"));
    ASSERT_TRUE(QDir().mkpath(odd));
    ASSERT_EQ(Text(CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), QDir(odd).filePath(PresetStore::kFileName))),
              "");
    PresetStore store(odd, notifier);
    EXPECT_TRUE(store.Execute(QStringLiteral("insert into \"DELAY\" values(1, 'n', 'd')")));
    EXPECT_TRUE(notifier.messages.empty()) << notifier.messages[0].text;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

TEST_F(PresetStoreTest, UnreadableFileAndFailingStatementsShowTheDatabaseText) {
    {
        QFile garbage(dir.filePath(PresetStore::kFileName));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'x'));
    }
    PresetStore broken(dir.path(), notifier);
    EXPECT_FALSE(broken.Query(QStringLiteral("select * from \"PEQ\"")));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].text.find("file is not a database"), std::string::npos)
        << notifier.messages[0].text;

    QTemporaryDir good;
    ASSERT_EQ(Text(MakeDatabase(good)), "");
    PresetStore store(good.path(), notifier);
    EXPECT_FALSE(store.Query(QStringLiteral("select * from NOPE")));
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_NE(notifier.messages[1].text.find("no such table: NOPE"), std::string::npos) << notifier.messages[1].text;
    // The primary key refuses a second row with the same ID.
    EXPECT_TRUE(store.Execute(QStringLiteral("insert into \"PEQ\" values(?, ?, ?)"), {1, "a", "b"}));
    EXPECT_FALSE(store.Execute(QStringLiteral("insert into \"PEQ\" values(?, ?, ?)"), {1, "c", "d"}));
    ASSERT_EQ(notifier.messages.size(), 3u);
    EXPECT_NE(notifier.messages[2].text.find("UNIQUE"), std::string::npos) << notifier.messages[2].text;
}

TEST_F(PresetStoreTest, BoundTextIsStoredAsTypedAndNeverRunAsSql) {
    ASSERT_EQ(Text(MakeDatabase(dir)), "");
    PresetStore store(dir.path(), notifier);
    const QString names[] = {QStringLiteral("O'Brien \"live\" 现场"), QStringLiteral("x'); drop table \"PEQ\"; --"),
                             QString()};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(store.Execute(QStringLiteral("insert into \"PEQ\" values(?, ?, ?)"), {i + 1, names[i], "d"}));
    const auto rows = store.Query(QStringLiteral("select NAME from \"PEQ\" where ID<=? order by ID"), {3});
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_EQ((*rows)[0][0].toString(), names[0]);
    EXPECT_EQ((*rows)[1][0].toString(), names[1]);
    EXPECT_TRUE((*rows)[2][0].toString().isEmpty());
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(PresetStoreTest, SeveralStoresAtOnce) {
    QTemporaryDir other;
    ASSERT_EQ(Text(MakeDatabase(dir)), "");
    ASSERT_EQ(Text(MakeDatabase(other)), "");
    PresetStore first(dir.path(), notifier);
    {
        PresetStore second(other.path(), notifier);
        ASSERT_TRUE(first.Execute(QStringLiteral("insert into \"REV\" values(1, 'a', 'b')")));
        ASSERT_TRUE(second.Query(QStringLiteral("select * from \"REV\"")));
        EXPECT_TRUE(second.Query(QStringLiteral("select * from \"REV\""))->empty());
    }
    EXPECT_EQ(first.Query(QStringLiteral("select * from \"REV\""))->size(), 1u);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(PresetStoreTest, SchemaMakesTheEightEmptyTablesWithTheirColumns) {
    ASSERT_EQ(Text(MakeDatabase(dir)), "");
    PresetStore store(dir.path(), notifier);
    const std::pair<const char*, const char*> tables[] = {
        {"PEQ", "PEQDATA"},   {"NOISE", "NOISEDATA"}, {"Compressor", "COMPDATA"}, {"LIMIT", "LIMITDATA"},
        {"GEQ", "GEQDATA"},   {"DELAY", "DELAYDTA"},  {"REV", "REVDATA"},        {"DeviceDATA", "FILENAME"},
    };
    for (const auto& [table, data] : tables) {
        const auto columns = store.Query(QStringLiteral("select name, type, pk from pragma_table_info(?)"), {table});
        ASSERT_TRUE(columns);
        ASSERT_EQ(columns->size(), 3u) << table;
        EXPECT_EQ((*columns)[0][0].toString(), "ID");
        EXPECT_EQ((*columns)[0][1].toString(), "INTEGER");
        EXPECT_EQ((*columns)[0][2].toInt(), 1);
        EXPECT_EQ((*columns)[1][0].toString(), "NAME");
        EXPECT_EQ((*columns)[2][0].toString(), data);
        const auto rows = store.Query(QStringLiteral("select * from \"%1\"").arg(table));
        ASSERT_TRUE(rows);
        EXPECT_TRUE(rows->empty());
    }
    EXPECT_EQ(store.Query(QStringLiteral("select name from sqlite_schema where type='table'"))->size(), 8u);
}

TEST_F(PresetStoreTest, MakingADatabaseNeverReplacesOneOrLeavesAHalfFile) {
    const QString path = dir.filePath(PresetStore::kFileName);
    EXPECT_NE(Text(CreatePresetDatabase(dir.filePath("no_such_schema.sql"), path)), "");
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    QFile bad(dir.filePath("bad.sql"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("create table A (ID integer);\ncreate tabel B (ID integer);\n");
    bad.close();
    EXPECT_NE(Text(CreatePresetDatabase(bad.fileName(), path)).find("syntax error"), std::string::npos);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + ".new"));

    ASSERT_EQ(Text(MakeDatabase(dir)), "");
    {
        PresetStore store(dir.path(), notifier);
        ASSERT_TRUE(store.Execute(QStringLiteral("insert into \"PEQ\" values(1, 'mine', 'x')")));
    }
    EXPECT_NE(Text(MakeDatabase(dir)), "");
    PresetStore store(dir.path(), notifier);
    EXPECT_EQ(store.Query(QStringLiteral("select * from \"PEQ\""))->size(), 1u);
}

TEST_F(PresetStoreTest, BuildToolMakesTheDatabaseAndKeepsAnExistingOne) {
    const QString path = dir.filePath(PresetStore::kFileName);
    auto runTool = [&] {
        return QProcess::execute(QStringLiteral(MAKE_PRESET_DB_PATH), {QStringLiteral(KORVEL_SCHEMA_PATH), path});
    };
    ASSERT_EQ(runTool(), 0);
    {
        PresetStore store(dir.path(), notifier);
        ASSERT_TRUE(store.Execute(QStringLiteral("insert into \"NOISE\" values(1, 'mine', '01000114')")));
    }
    ASSERT_EQ(runTool(), 0);
    PresetStore store(dir.path(), notifier);
    EXPECT_EQ(store.Query(QStringLiteral("select * from \"NOISE\""))->size(), 1u);
    EXPECT_TRUE(notifier.messages.empty());
}
