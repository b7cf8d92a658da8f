#pragma once
// The seven preset tables of the database: which module each holds, the
// name of its data column and the popup menu its page shows.

#include <array>
#include <string_view>

namespace mixer {

enum class PresetModule { kPeq, kNoise, kCompressor, kLimit, kGeq, kDelay, kRev };

inline constexpr std::array<PresetModule, 7> kPresetModules = {
    PresetModule::kPeq,   PresetModule::kNoise, PresetModule::kCompressor, PresetModule::kLimit,
    PresetModule::kGeq,   PresetModule::kDelay, PresetModule::kRev,
};

// Command ids of a preset popup menu; a menu that is dismissed returns 0.
struct PresetMenuIds {
    int name;
    int recall;
    int remove;
};

inline constexpr PresetMenuIds kFirstPresetMenu = {32771, 32773, 32774};
inline constexpr PresetMenuIds kSecondPresetMenu = {32775, 32776, 32777};

struct PresetTableInfo {
    std::string_view table;
    std::string_view dataColumn;
    PresetMenuIds menu;
};

const PresetTableInfo& TableInfo(PresetModule module);

}  // namespace mixer
