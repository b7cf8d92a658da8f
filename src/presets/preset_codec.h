#pragma once
// The data text of a preset: one module's settings as fixed-width upper-case
// hex fields ("%02X" or "%04X"), with two "," separators in the PEQ text.
// Texts come back from the database, so decoding checks the whole text before
// it writes anything.

#include <string>
#include <string_view>

#include "link/mixer_state.h"
#include "presets/preset_tables.h"

namespace mixer {

// Length of the module's data text (PEQ 82, NOISE 8, ..., GEQ 124).
int PresetTextLength(PresetModule module);

// The module's settings of strip or bus `index` as data text: PEQ, NOISE and
// Compressor read strips[index], LIMIT and GEQ buses[index]; DELAY and REV
// always read their return strips and ignore `index`. Values outside their
// ranges are limited first, so the text always has its fixed length. An
// index without a record gives an empty text.
std::string EncodePreset(PresetModule module, const MixerState& state, int index);

enum class PresetDecodeResult {
    kStored,        // every value was in range
    kStoredLimited, // stored, with values outside their ranges limited to them
    kWrongLength,   // nothing stored
    kBadCharacter,  // a non-hex digit or a missing separator; nothing stored
    kNoRecord,      // the index names no record; nothing stored
};

// Writes the values of `text` into the record that EncodePreset reads. Only
// the fields of the text change (a PEQ preset leaves polarity, the band
// records' other words and band 5 alone).
PresetDecodeResult DecodePreset(PresetModule module, std::string_view text, MixerState& state, int index);

}  // namespace mixer
