#pragma once
// What an OSC message asks of the editor once liblo has parsed it: a value
// to set (clamped to the parameter's range, in the state's units), a query,
// or an action; and the value of an address in OSC's terms. Levels are dB
// as floats (the mixer's 0..70 is -60..+10 dB) or, under "/raw", the
// mixer's 0..70 as integers; pan is -1 (left) .. +1 (right); switches are
// 0 or 1.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/strip_links.h"
#include "link/channel_edits.h"
#include "link/mixer_state.h"
#include "osc/osc_address.h"

namespace mixer {

// One argument of a message, reduced to what the address space reads.
struct OscArg {
    char type = 0;      // the OSC type tag
    double number = 0;  // 'i' 'h' 'f' 'd', 'T' as 1 and 'F' as 0
    std::string text;   // 's' 'S'
};

using OscValue = std::variant<int, float, std::string>;

struct OscRequest {
    OscAddress address;
    // The value to set in the state's units (or the scene ID); none for a
    // query, and for /scene/save, /subscribe and /meters.
    std::optional<int> value;
    // /scene/recall only: the fade time in milliseconds, 0 to 30000, when given.
    std::optional<int> fadeMs;
};

// Nothing for an unknown address, and for arguments the address does not
// take: a query or action has none, a value is one finite number, /scene/recall
// takes the ID of a scene 1..32 and may add a fade time in seconds (clamped
// to 0..30), and what is read only takes no value.
std::optional<OscRequest> ReadOscRequest(std::string_view path, const std::vector<OscArg>& args);

// A value for a strip, a bus or phantom power, written with the edit
// functions of the strips and the sends page, repeated on the channels the
// strip's links tie for it; the commands to send. Nothing for a query or any
// other parameter.
Commands ApplyOscEdit(MixerState& s, const OscRequest& request, const StripLinks& links);

// The value an address reports. A name is the raw bytes of its field, up to
// its end; the mute group engaged is `activeMuteGroup` (0 none).
OscValue OscValueOf(const MixerState& s, const OscAddress& address, int activeMuteGroup);

}  // namespace mixer
