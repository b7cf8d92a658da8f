#pragma once
// What the server tells a page, as JSON text: the state it may see when it
// opens, the records that changed since, meter frames and notices. A
// monitor session sees the names and its AUX's sends, master and meters,
// nothing of the rest of the mix.

#include <array>
#include <string>
#include <string_view>

#include "link/mixer_state.h"
#include "model/change_set.h"
#include "remote/access.h"

namespace mixer::remote {

// Channel names as UTF-8; the state holds them as GBK bytes.
struct Names {
    std::array<std::string, kStripCount> strips;
    std::array<std::string, kOutputCount> outputs;  // MAIN, AUX 1..6
};

std::string EncodeWelcome(const MixerState& s, const Names& names, Role role, int language);
// Empty when nothing the role sees has changed.
std::string EncodeChanges(const MixerState& s, const Names& names, const ChangeSet& changes, Role role);
// Meter bars 0..100 of what the role sees: every strip and MAIN's two sides
// and each AUX for the engineer, the inputs and its AUX for a monitor.
std::string EncodeMeters(const MixerState& s, Role role);
// {"t":kind} with an optional whole number: refused, locked (seconds to wait), ended.
std::string EncodeNotice(std::string_view kind, int number = 0);

// Text as a JSON string, quotes included; bytes below 0x20 escaped.
std::string JsonString(std::string_view text);

// The strip parts a page shows; other changes are not sent.
inline constexpr uint32_t kShownParts = kPartLevel | kPartMute | kPartSolo | kPartPan | kPartSends | kPartName;

}  // namespace mixer::remote
