#pragma once
// The scenes on disk: one file per scene in the data directory, named by its
// ID ("5.dat"), and one row per scene in the DeviceDATA table of the preset
// database. A file is written under a temporary name and renamed into place
// when complete, and its row is added only after that, so that a failure or
// a kill at any moment never lists a scene whose file is incomplete.

#include <QString>
#include <optional>
#include <vector>

#include "system/scene_image.h"
#include "system/scene_slots.h"

namespace mixer {

class PresetStore;

struct SceneRow {
    int id = 0;
    QString name;
    QString fileName;
};

class SceneStore {
public:
    // Database failures are shown by the preset store.
    SceneStore(PresetStore& database, const QString& directory);

    // Every scene, by ID; nothing after a database failure.
    std::optional<std::vector<SceneRow>> Rows();

    enum class SaveResult { kSaved, kFull, kDatabaseError, kWriteError };
    struct Saved {
        SaveResult result = SaveResult::kSaved;
        int id = 0;
        QString detail;  // the file's path and the system's reason after a failed write
    };
    // Stores the image as the next scene, "SAVE<ID>": the first ID from the
    // highest listed + 1 on whose path there is nothing (a file kept after a
    // delete, put there by hand, or a link) and that no row names. Nothing is
    // ever written over; kFull when no ID up to kMaxScenes is free.
    Saved Save(const SceneBytes& image);

    bool Rename(int id, const QString& name);

    enum class LoadResult { kLoaded, kNoScene, kCannotOpen, kTooShort };
    struct Loaded {
        LoadResult result = LoadResult::kLoaded;
        SceneBytes image{};
        QString path;
    };
    // The file of scene `id`. A file shorter than a scene is refused whole;
    // bytes past a scene's length are ignored.
    Loaded Load(int id);

    enum class DeleteResult { kTrashed, kKept, kNoScene, kDatabaseError };
    struct Deleted {
        DeleteResult result = DeleteResult::kTrashed;
        QString path;
    };
    // Moves the file to the desktop's trash and removes the row. Where there
    // is no trash the file stays where it is (kKept) and the row goes.
    Deleted Delete(int id);

    // The path a scene's file is written to.
    QString PathFor(int id) const;

private:
    std::optional<QString> FileOf(int id);
    bool Occupied(int id, const std::vector<SceneRow>& rows) const;

    PresetStore& database_;
    QString directory_;
};

}  // namespace mixer
