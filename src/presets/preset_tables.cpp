#include "presets/preset_tables.h"

namespace mixer {

const PresetTableInfo& TableInfo(PresetModule module) {
    // "DELAYDTA" is spelt as the database files spell it.
    static constexpr PresetTableInfo kTables[] = {
        {"PEQ", "PEQDATA", kFirstPresetMenu},
        {"NOISE", "NOISEDATA", kFirstPresetMenu},
        {"Compressor", "COMPDATA", kSecondPresetMenu},
        {"LIMIT", "LIMITDATA", kFirstPresetMenu},
        {"GEQ", "GEQDATA", kFirstPresetMenu},
        {"DELAY", "DELAYDTA", kSecondPresetMenu},
        {"REV", "REVDATA", kFirstPresetMenu},
    };
    return kTables[static_cast<int>(module)];
}

}  // namespace mixer
