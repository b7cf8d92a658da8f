// A scene save killed at any moment: a writer process saves scenes without
// pause and is killed at random times, a hundred times over. Afterwards no
// scene file may be incomplete and no row may lack its complete file.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include "link/notifier.h"
#include "presets/preset_database.h"
#include "presets/preset_store.h"
#include "system/scene_store.h"

using namespace mixer;

namespace {

SceneBytes Filled(uint8_t value) {
    SceneBytes image;
    image.fill(value);
    return image;
}

// Tells `started` once the first save is done, then saves on until killed.
[[noreturn]] void SaveForever(const QString& dir, const SceneBytes& a, const SceneBytes& b, int started) {
    RecordingNotifier notifier;
    PresetStore database(dir, notifier);
    SceneStore scenes(database, dir);
    for (unsigned n = 0;; ++n) {
        const SceneStore::SaveResult result = scenes.Save(n % 2 ? a : b).result;
        if (n == 0) {
            const char one = 1;
            (void)!write(started, &one, 1);
        }
        if (result == SceneStore::SaveResult::kFull) {
            // Start over from ID 1: a save never writes over a file, so the
            // files go too, after their rows as a delete does it.
            database.Execute(QStringLiteral("DELETE FROM DeviceDATA"));
            for (int id = 1; id <= kMaxScenes; ++id) QFile::remove(scenes.PathFor(id));
        }
    }
}

TEST(SceneSaveKilled, NeverLeavesAHalfWrittenSceneOrARowWithoutItsFile) {
    // In memory where there is a memory file system: the database's syncs
    // would otherwise make the hundred rounds slow without testing more.
    const bool shm = QDir(QStringLiteral("/dev/shm")).exists();
    QTemporaryDir dir(shm ? QStringLiteral("/dev/shm/scene-kill-XXXXXX") : QString());
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(
        CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), dir.filePath(PresetStore::kFileName)).isEmpty());
    const SceneBytes a = Filled(0xA5);
    const SceneBytes b = Filled(0x5A);
    const QByteArray wholeA(reinterpret_cast<const char*>(a.data()), kSceneSize);
    const QByteArray wholeB(reinterpret_cast<const char*>(b.data()), kSceneSize);
    std::mt19937 random(14);
    std::uniform_int_distribution<int> delayUs(0, 15000);

    for (int round = 0; round < 100; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) SaveForever(dir.path(), a, b, pipeEnds[1]);
        char started = 0;
        const bool running = read(pipeEnds[0], &started, 1) == 1;
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        usleep(static_cast<useconds_t>(delayUs(random)));
        kill(writer, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(running) << "round " << round << ": the writer never saved";

        const QStringList files = QDir(dir.path()).entryList({QStringLiteral("*.dat")}, QDir::Files);
        for (const QString& name : files) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray content = file.readAll();
            ASSERT_TRUE(content == wholeA || content == wholeB) << "round " << round << ": " << name.toStdString();
        }
        RecordingNotifier notifier;
        PresetStore database(dir.path(), notifier);
        const auto rows = SceneStore(database, dir.path()).Rows();
        ASSERT_TRUE(rows.has_value()) << "round " << round;
        for (const SceneRow& row : *rows) {
            ASSERT_TRUE(QFile::exists(row.fileName)) << "round " << round << ": scene " << row.id;
            ASSERT_EQ(QFile(row.fileName).size(), static_cast<qint64>(kSceneSize));
        }
    }
}

}  // namespace
