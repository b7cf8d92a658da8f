#include "system/scene_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

#include "presets/preset_store.h"

namespace mixer {

namespace {

// QFile::moveToTrash, guarded: where the user's data folder is missing, Qt
// cannot set up the trash and moves the file into folders named "files" and
// "info" under the current directory instead, reporting success. The data
// folder is made first; where it cannot be made there is no trash.
bool MoveToTrash(const QString& path) {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome)) return false;
    return QFile::moveToTrash(path);
}

}  // namespace

SceneStore::SceneStore(PresetStore& database, const QString& directory)
    : database_(database), directory_(QDir(directory).absolutePath()) {}

QString SceneStore::PathFor(int id) const { return QDir(directory_).filePath(QStringLiteral("%1.dat").arg(id)); }

std::optional<std::vector<SceneRow>> SceneStore::Rows() {
    const auto rows = database_.Query(QStringLiteral("SELECT ID, NAME, FILENAME FROM DeviceDATA ORDER BY ID"));
    if (!rows) return std::nullopt;
    std::vector<SceneRow> scenes;
    for (const PresetStore::Row& row : *rows) {
        if (row.size() < 3) continue;
        scenes.push_back({row[0].toInt(), row[1].toString(), row[2].toString()});
    }
    return scenes;
}

bool SceneStore::Occupied(int id, const std::vector<SceneRow>& rows) const {
    const QString path = PathFor(id);
    // A link counts even when it leads nowhere: writing would replace it.
    const QFileInfo file(path);
    if (file.exists() || file.isSymLink()) return true;
    return std::any_of(rows.begin(), rows.end(), [&](const SceneRow& row) {
        return row.id == id || QDir::cleanPath(QFileInfo(row.fileName).absoluteFilePath()) == path;
    });
}

SceneStore::Saved SceneStore::Save(const SceneBytes& image) {
    const auto rows = Rows();
    if (!rows) return {SaveResult::kDatabaseError, 0, {}};
    int id = 1;
    for (const SceneRow& row : *rows) id = std::max(id, row.id + 1);
    while (id <= kMaxScenes && Occupied(id, *rows)) ++id;
    if (id > kMaxScenes) return {SaveResult::kFull, 0, {}};

    const QString path = PathFor(id);
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(reinterpret_cast<const char*>(image.data()), kSceneSize) ==
                             static_cast<qint64>(kSceneSize) &&
                         file.commit();
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {SaveResult::kWriteError, id, path + QStringLiteral(": ") + reason};
    }
    if (!database_.Execute(QStringLiteral("INSERT INTO DeviceDATA (ID, NAME, FILENAME) VALUES (?, ?, ?)"),
                           {id, QStringLiteral("SAVE%1").arg(id), path})) {
        QFile::remove(path);
        return {SaveResult::kDatabaseError, id, {}};
    }
    return {SaveResult::kSaved, id, path};
}

bool SceneStore::Rename(int id, const QString& name) {
    return database_.Execute(QStringLiteral("UPDATE DeviceDATA SET NAME = ? WHERE ID = ?"), {name, id});
}

std::optional<QString> SceneStore::FileOf(int id) {
    const auto rows = database_.Query(QStringLiteral("SELECT FILENAME FROM DeviceDATA WHERE ID = ?"), {id});
    if (!rows || rows->empty() || rows->front().empty()) return std::nullopt;
    return rows->front()[0].toString();
}

SceneStore::Loaded SceneStore::Load(int id) {
    Loaded loaded;
    const auto path = FileOf(id);
    if (!path) {
        loaded.result = LoadResult::kNoScene;
        return loaded;
    }
    loaded.path = *path;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.result = LoadResult::kCannotOpen;
        return loaded;
    }
    const qint64 read = file.read(reinterpret_cast<char*>(loaded.image.data()), kSceneSize);
    if (read != static_cast<qint64>(kSceneSize)) loaded.result = LoadResult::kTooShort;
    return loaded;
}

SceneStore::Deleted SceneStore::Delete(int id) {
    const auto path = FileOf(id);
    if (!path) return {DeleteResult::kNoScene, {}};
    // The row goes first: a file left without its row is harmless, a row
    // left without its file is a scene that cannot be recalled.
    if (!database_.Execute(QStringLiteral("DELETE FROM DeviceDATA WHERE ID = ?"), {id})) {
        return {DeleteResult::kDatabaseError, *path};
    }
    if (QFile::exists(*path) && !MoveToTrash(*path)) return {DeleteResult::kKept, *path};
    return {DeleteResult::kTrashed, *path};
}

}  // namespace mixer
