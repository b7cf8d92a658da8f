#include "presets/preset_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

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

TEST_F(PresetStoreTest, AMissingDatabaseIsMadeFromTheSchemaTheProgramCarriesWithItsFolder) {
    QFile carried(QString::fromLatin1(kPresetSchemaResource));
    QFile schema(QStringLiteral(KORVEL_SCHEMA_PATH));
    ASSERT_TRUE(carried.open(QIODevice::ReadOnly));
    ASSERT_TRUE(schema.open(QIODevice::ReadOnly));
    EXPECT_EQ(carried.readAll(), schema.readAll());

    PresetStore atStart(dir.filePath("new/data"), notifier);
    EXPECT_EQ(Text(atStart.MakeIfMissing()), "");
    EXPECT_TRUE(QFile::exists(dir.filePath("new/data/Korvel.mdb")));
    PresetStore onFirstUse(dir.filePath("newer"), notifier);
    ASSERT_TRUE(onFirstUse.Execute(QStringLiteral("insert into DeviceDATA values(1, 'a', 'b')")));
    ASSERT_TRUE(onFirstUse.Query(QStringLiteral("select * from \"PEQ\"")));
    EXPECT_EQ(Text(onFirstUse.MakeIfMissing()), "");
    const auto rows = onFirstUse.Query(QStringLiteral("select * from DeviceDATA"));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), 1u);
    EXPECT_TRUE(notifier.messages.empty());
}

// Whatever stands in the way is told once, in the window's language, however
// often the pages ask, and the file is left as it is.
TEST_F(PresetStoreTest, AnUnusableDatabaseIsToldOnceInTheWindowsLanguageAndLeftAsItIs) {
    auto write = [](const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    struct Case {
        const char* what;
        std::function<bool(const QString& data)> lay;
        const char* english;  // the start of the message; %1 is the database's path
        const char* chinese;
        const char* reason;
    };
    const Case cases[] = {
        {"not a database", [&](const QString& data) { return write(data + "/Korvel.mdb", QByteArray(4096, 'x')); },
         "The preset database %1 cannot be opened or is damaged: ", "预设数据库 %1 无法打开或已损坏：",
         "file is not a database"},
        {"a folder in its place", [](const QString& data) { return QDir().mkpath(data + "/Korvel.mdb"); },
         "The preset database %1 cannot be opened or is damaged: ", "预设数据库 %1 无法打开或已损坏：",
         "unable to open database file"},
        {"an empty file", [&](const QString& data) { return write(data + "/Korvel.mdb", {}); },
         "The preset database %1 lacks the tables or columns ", "预设数据库 %1 缺少数据表或列 ",
         "PEQ, NOISE, Compressor, LIMIT, GEQ, DELAY, REV, DeviceDATA"},
        {"a table short of a column",
         [&](const QString& data) {
             return write(data + "/partial.sql", "CREATE TABLE \"PEQ\" (ID INTEGER PRIMARY KEY, NAME TEXT);") &&
                    CreatePresetDatabase(data + "/partial.sql", data + "/Korvel.mdb").isEmpty();
         },
         "The preset database %1 lacks the tables or columns ", "预设数据库 %1 缺少数据表或列 ",
         "PEQ.PEQDATA, NOISE, Compressor,"},
        {"no folder to make it in", [&](const QString& data) { return write(QFileInfo(data).path(), "a file"); },
         "There is no preset database at %1, and a new one could not be made: ", "%1 处没有预设数据库，也无法新建：",
         ""},
    };
    int n = 0;
    for (const Case& c : cases) {
        for (const int language : {1, 2}) {
            SCOPED_TRACE(std::string(c.what) + (language == 1 ? ", English" : ", Chinese"));
            const QString data = dir.filePath(QStringLiteral("%1/data").arg(++n));
            ASSERT_TRUE(c.lay(data));
            const QString path = QDir(data).filePath(PresetStore::kFileName);
            const QFileInfo before(path);
            QFile file(path);
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            RecordingNotifier told;
            PresetStore store(data, told, language);
            EXPECT_FALSE(store.Query(QStringLiteral("select * from \"PEQ\"")));
            EXPECT_FALSE(store.Execute(QStringLiteral("insert into \"PEQ\" values(1, 'a', 'b')")));
            store.Close();
            EXPECT_FALSE(store.Query(QStringLiteral("select * from DeviceDATA")));
            ASSERT_EQ(told.messages.size(), 1u);
            const QString text = QString::fromStdString(told.messages[0].text);
            const QString start = QString::fromUtf8(language == 1 ? c.english : c.chinese).arg(path);
            EXPECT_TRUE(text.startsWith(start)) << told.messages[0].text;
            EXPECT_TRUE(text.contains(QString::fromUtf8(c.reason))) << told.messages[0].text;
            EXPECT_EQ(QFileInfo(path).exists(), before.exists());
            EXPECT_EQ(QFileInfo(path).isDir(), before.isDir());
            QFile after(path);
            EXPECT_EQ(after.open(QIODevice::ReadOnly) ? after.readAll() : QByteArray(), bytes);
        }
    }
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

TEST_F(PresetStoreTest, AStatementFailingOnAGoodDatabaseIsToldEachTimeWithTheDatabasesReason) {
    ASSERT_EQ(Text(MakeDatabase(dir)), "");
    const QString path = QDir(dir.path()).filePath(PresetStore::kFileName);
    PresetStore english(dir.path(), notifier, 1);
    EXPECT_FALSE(english.Query(QStringLiteral("select * from NOPE")));
    EXPECT_FALSE(english.Query(QStringLiteral("select * from NOPE")));
    ASSERT_EQ(notifier.messages.size(), 2u);
    const QString text = QString::fromStdString(notifier.messages[1].text);
    EXPECT_TRUE(text.startsWith("The preset database " + path + " could not carry out the request: ")) << Text(text);
    EXPECT_TRUE(text.contains("no such table: NOPE")) << Text(text);
    // The primary key refuses a second row with the same ID.
    PresetStore chinese(dir.path(), notifier, 2);
    EXPECT_TRUE(chinese.Execute(QStringLiteral("insert into \"PEQ\" values(?, ?, ?)"), {1, "a", "b"}));
    EXPECT_FALSE(chinese.Execute(QStringLiteral("insert into \"PEQ\" values(?, ?, ?)"), {1, "c", "d"}));
    ASSERT_EQ(notifier.messages.size(), 3u);
    const QString refused = QString::fromStdString(notifier.messages[2].text);
    EXPECT_TRUE(refused.startsWith(QString::fromUtf8("预设数据库 ") + path + QString::fromUtf8(" 无法完成此操作：")))
        << Text(refused);
    EXPECT_TRUE(refused.contains("UNIQUE")) << Text(refused);
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
