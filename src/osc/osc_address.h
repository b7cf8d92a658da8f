#pragma once
// The OSC address space of the editor, in the mixer's terms: which parameter
// an address names and the address of each parameter. Channels count from 1
// as the console labels them (CH 1..16, 17 the DELAY return, 18 the Reverb
// return); AUX buses 1..6; inputs 1..16 for phantom power; mute groups 1..4.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mixer {

enum class OscParam {
    StripFader,   // /ch/N/fader, /ch/N/fader/raw
    StripMute,    // /ch/N/mute
    StripSolo,    // /ch/N/solo
    StripPan,     // /ch/N/pan
    StripSend,    // /ch/N/send/auxK, /ch/N/send/fxK, each with /raw
    StripName,    // /ch/N/name, read only
    BusFader,     // /main/fader, /aux/N/fader, each with /raw
    BusMute,      // /main/mute, /aux/N/mute
    Phantom,      // /phantom/N
    MuteGroup,    // /mutegroup/N
    SceneRecall,  // /scene/recall ID
    SceneSave,    // /scene/save
    Undo,         // /undo
    Redo,         // /redo
    Subscribe,    // /subscribe
    Meters,       // /meters
    Ignored,      // /ignored, read only: messages the server did not take
};

struct OscAddress {
    OscParam param = OscParam::Ignored;
    int index = 0;     // strip 0..17, bus 0 (MAIN) or 2..7 (AUX), input 0..15, mute group 1..4
    int row = 0;       // send row: 1..6 AUX 1..6, 7 delay, 8 reverb
    bool raw = false;  // a level in the mixer's units 0..70 instead of dB
    bool operator==(const OscAddress&) const = default;
};

// The parameter a path names; nothing for a path outside the address space,
// a number out of its range or written with a sign or leading zero, and an
// effect send of an effect return.
std::optional<OscAddress> ParseOscPath(std::string_view path);

std::string OscPath(const OscAddress& address);

// Every address whose value changes with the mixer's state or the mute
// groups: what subscribers are told about.
const std::vector<OscAddress>& FeedbackAddresses();

}  // namespace mixer
