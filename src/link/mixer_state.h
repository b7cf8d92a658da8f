#pragma once
// The editor's copy of every mixer parameter, in the units of the wire
// protocol. The records are stored byte for byte in scene files, so their
// layout is fixed and checked below; keep every field a plain int32_t.

#include <cstddef>
#include <cstdint>

namespace mixer {

inline constexpr int kInputCount = 16;    // CH 1..16
inline constexpr int kStripCount = 18;    // inputs, then the DELAY and Reverb returns
inline constexpr int kDelayReturn = 16;
inline constexpr int kReverbReturn = 17;
inline constexpr int kBusCount = 8;       // MAIN (two records), AUX 1..6
inline constexpr int kFirstAux = 2;
// MAIN is buses 0 and 1, kept equal: an edit of either writes both.
inline constexpr bool IsMainBus(int bus) { return bus == 0 || bus == 1; }
inline constexpr int kGeqBandCount = 31;
inline constexpr int kPeqBandCount = 4;   // bands in use of the ten slots
inline constexpr int kNameSize = 16;      // GBK bytes, NUL-terminated
// The console numbers channels 0..17 for the strips and 18..25 for the buses
// (18 + bus index) when it says which parameter it shows or takes typed.
inline constexpr int kFirstOutputChannel = kStripCount;
inline constexpr int kDisplayChannelCount = kStripCount + kBusCount;

// Limits of the values the state holds.
inline constexpr int kLevelMax = 70;      // fader top; dB = level - 60
inline constexpr int kPanMax = 200;       // centre 100
inline constexpr int kFreqMin = 20;
inline constexpr int kFreqMax = 20000;
inline constexpr int kSlopeMin = 2;
inline constexpr int kSlopeMax = 8;
inline constexpr int kGainCodeMax = 300;  // dB = (code - 150) / 10
inline constexpr int kQMin = 1;
inline constexpr int kQMax = 200;
inline constexpr int kPeqTypeMax = 2;     // peaking, low shelf, high shelf
inline constexpr int kBusModeMin = 1;
inline constexpr int kBusModeMax = 3;

struct PeqBand {
    int32_t freq;       // Hz
    int32_t gain2;      // gain code 0..300; the wire carries half of it
    int32_t q;          // tenths
    int32_t other[2];
    int32_t type;       // 0 peaking, 1 low shelf, 2 high shelf; the wire carries type + 1
};

struct GeqBand {
    int32_t other0;
    int32_t gain2;      // gain code 0..300; the wire carries half of it
    int32_t other[4];
};

// Positions in StripRecord::comp and BusRecord::lim.
enum DynamicsValue { kDynThreshold = 0, kDynAttack = 1, kDynRelease = 2, kDynGain = 3, kDynRatio = 4 };
// Positions in StripRecord::gate (slot 1 is neither sent nor received).
enum GateValue { kGateThreshold = 0, kGateUnused = 1, kGateAttack = 2, kGateRelease = 3 };
// Positions in StripRecord::delayParams and reverbParams.
enum DelayValue { kPreDelay1 = 0, kPreDelay2 = 1, kFeedback = 2, kDelayLpf = 3 };
enum ReverbValue { kRevDelay1 = 0, kRevTime = 4, kRevLpf = 5 };

struct StripRecord {
    PeqBand peqBands[10];
    int32_t peqOn;
    int32_t hpfFreq;
    int32_t hpfType;
    int32_t hpfSlope;
    int32_t hpfOn;
    int32_t lpfFreq;
    int32_t lpfType;
    int32_t lpfSlope;
    int32_t lpfOn;
    int32_t other1[4];
    int32_t mute;
    int32_t mute2;       // effect returns: mute of the output path
    int32_t pan;
    int32_t level;
    int32_t level2;      // effect returns: output volume
    int32_t solo;
    int32_t meter;
    int32_t meter2;
    int32_t phantom;
    int32_t polarity;
    int32_t compOn;
    int32_t comp[5];     // DynamicsValue
    int32_t gateOn;
    int32_t gate[4];     // GateValue
    int32_t other2[2];
    int32_t mainSend;
    int32_t auxSend[6];
    int32_t fxSend[2];   // delay, reverb
    int32_t other3;
    int32_t delayParams[4];   // DelayValue, delay return only
    int32_t other4;
    int32_t reverbParams[6];  // ReverbValue, reverb return only
    char name[kNameSize];
    int32_t index;
};

struct BusRecord {
    GeqBand geqBands[kGeqBandCount];
    int32_t geqOn;
    int32_t other1[2];
    int32_t mute;
    int32_t balance;
    int32_t level;
    int32_t solo;
    int32_t meter;
    int32_t meter2;
    int32_t busMode;     // 1..3
    int32_t limOn;
    int32_t lim[5];      // DynamicsValue
    int32_t other2;
    char name[kNameSize];
    int32_t index;
};

struct MixerState {
    StripRecord strips[kStripCount];
    BusRecord buses[kBusCount];
};

static_assert(sizeof(PeqBand) == 24);
static_assert(offsetof(PeqBand, gain2) == 4 && offsetof(PeqBand, q) == 8 && offsetof(PeqBand, type) == 20);
static_assert(sizeof(GeqBand) == 24 && offsetof(GeqBand, gain2) == 4);

static_assert(sizeof(StripRecord) == 488);
static_assert(offsetof(StripRecord, peqOn) == 240);
static_assert(offsetof(StripRecord, hpfFreq) == 244);
static_assert(offsetof(StripRecord, hpfType) == 248);
static_assert(offsetof(StripRecord, hpfSlope) == 252);
static_assert(offsetof(StripRecord, hpfOn) == 256);
static_assert(offsetof(StripRecord, lpfFreq) == 260);
static_assert(offsetof(StripRecord, lpfType) == 264);
static_assert(offsetof(StripRecord, lpfSlope) == 268);
static_assert(offsetof(StripRecord, lpfOn) == 272);
static_assert(offsetof(StripRecord, other1) == 276);
static_assert(offsetof(StripRecord, mute) == 292);
static_assert(offsetof(StripRecord, mute2) == 296);
static_assert(offsetof(StripRecord, pan) == 300);
static_assert(offsetof(StripRecord, level) == 304);
static_assert(offsetof(StripRecord, level2) == 308);
static_assert(offsetof(StripRecord, solo) == 312);
static_assert(offsetof(StripRecord, meter) == 316);
static_assert(offsetof(StripRecord, meter2) == 320);
static_assert(offsetof(StripRecord, phantom) == 324);
static_assert(offsetof(StripRecord, polarity) == 328);
static_assert(offsetof(StripRecord, compOn) == 332);
static_assert(offsetof(StripRecord, comp) == 336);
static_assert(offsetof(StripRecord, gateOn) == 356);
static_assert(offsetof(StripRecord, gate) == 360);
static_assert(offsetof(StripRecord, other2) == 376);
static_assert(offsetof(StripRecord, mainSend) == 384);
static_assert(offsetof(StripRecord, auxSend) == 388);
static_assert(offsetof(StripRecord, fxSend) == 412);
static_assert(offsetof(StripRecord, other3) == 420);
static_assert(offsetof(StripRecord, delayParams) == 424);
static_assert(offsetof(StripRecord, other4) == 440);
static_assert(offsetof(StripRecord, reverbParams) == 444);
static_assert(offsetof(StripRecord, name) == 468);
static_assert(offsetof(StripRecord, index) == 484);

static_assert(sizeof(BusRecord) == 832);
static_assert(offsetof(BusRecord, geqOn) == 744);
static_assert(offsetof(BusRecord, other1) == 748);
static_assert(offsetof(BusRecord, mute) == 756);
static_assert(offsetof(BusRecord, balance) == 760);
static_assert(offsetof(BusRecord, level) == 764);
static_assert(offsetof(BusRecord, solo) == 768);
static_assert(offsetof(BusRecord, meter) == 772);
static_assert(offsetof(BusRecord, meter2) == 776);
static_assert(offsetof(BusRecord, busMode) == 780);
static_assert(offsetof(BusRecord, limOn) == 784);
static_assert(offsetof(BusRecord, lim) == 788);
static_assert(offsetof(BusRecord, other2) == 808);
static_assert(offsetof(BusRecord, name) == 812);
static_assert(offsetof(BusRecord, index) == 828);

static_assert(sizeof(MixerState) == kStripCount * sizeof(StripRecord) + kBusCount * sizeof(BusRecord));

inline constexpr int kFaderPositionMax = 186;  // fader positions run 0 (top) .. 186 (bottom)

// Fader position 0..186 for a level 0..70 (70 at the top, 0 at the bottom);
// out-of-range levels are clamped first. Every level has a position of its
// own, so that a fader can be set to each of them.
int FaderPositionFromLevel(int level);
// The level whose position is nearest (the lower one when two are as near):
// the exact inverse of FaderPositionFromLevel, so that a fader taken and let
// go where it stands keeps its level.
int LevelFromFaderPosition(int position);

// Copies text into a name field, cut to 15 bytes and always terminated. The
// bytes are taken as they are (GBK for Chinese names); cutting at a character
// boundary is the caller's, which knows the encoding.
void SetName(char (&field)[kNameSize], const char* text);

// Clamps every value the link reads or writes to the range of its wire field
// and the ranges of the parameter it holds, and terminates the names.
// Applied to state that comes from outside (scene files, replies).
void ClampToRanges(MixerState& state);

}  // namespace mixer
