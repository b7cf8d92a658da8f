#pragma once
// Builders of every command the editor sends. Each reads the values from the
// state; its arguments only say which strip, bus or band. The unit field is
// always "01". Builders whose index must be valid return an empty text for an
// invalid one, so that nothing is sent and no record outside the state is read.

#include <string>

#include "link/mixer_state.h"

namespace mixer {

// Protocol indices of command A for the effect returns (25 and 26 address the
// same fields as 27).
inline constexpr int kIndexDelayReturn = 27;
inline constexpr int kIndexDelayOut = 28;
inline constexpr int kIndexReverbReturn = 29;
inline constexpr int kIndexReverbOut = 30;
inline constexpr int kIndexMainBalance = 19;  // command L
inline constexpr int kFirstBusIndexA = 17;    // command A: buses[index - 17]
inline constexpr int kFirstStripIndexK = 7;   // command K: strips[index - 7]

std::string BuildA(const MixerState& s, int index);  // mute and fader level
std::string BuildB(const MixerState& s, int index);  // noise gate, inputs 1..18
std::string BuildC(const MixerState& s, int index);  // compressor, inputs 1..18
std::string BuildD(const MixerState& s, int index);  // limiter, buses 1..8
std::string BuildE(const MixerState& s, int index);  // low-pass filter, 1..18
std::string BuildF(const MixerState& s, int index);  // high-pass filter, 1..18
std::string BuildG(const MixerState& s, int index, int band);  // PEQ band 1..4
std::string BuildH(const MixerState& s, int index);  // graphic EQ, buses 1..8
std::string BuildI(const MixerState& s, int index);  // MAIN and AUX sends, 1..18
std::string BuildJ(const MixerState& s, int index);  // effect sends, 1..18
std::string BuildK(const MixerState& s, int index);  // solo
std::string BuildL(const MixerState& s, int index);  // pan or MAIN balance
std::string BuildM(const MixerState& s);             // reverb parameters
std::string BuildN(const MixerState& s);             // delay parameters
std::string BuildO(const MixerState& s, int index);  // polarity and phantom, 1..18
std::string BuildP(const MixerState& s, int index);  // bus three-way selector, 1..8
std::string BuildQ(bool metersOn);                   // meter stream on/off
std::string BuildZ();                                // full-state request

}  // namespace mixer
