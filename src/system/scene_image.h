#pragma once
// The 17,580-byte scene file: the mixer state's records at fixed offsets,
// two regions and a few reserved bytes that the editor carries along as it
// found them, the mixer's version text and what the link knew when the scene
// was saved. All multi-byte values are little-endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/mixer_state.h"

namespace mixer {

inline constexpr std::size_t kSceneSize = 17580;
inline constexpr std::size_t kSceneStripsAt = 4;
inline constexpr std::size_t kSceneKeptAAt = 8788;   // 976 bytes carried as held
inline constexpr std::size_t kSceneBusesAt = 9764;
inline constexpr std::size_t kSceneKeptBAt = 16420;  // 1100 bytes carried as held
inline constexpr std::size_t kSceneVersionAt = 17520;
inline constexpr std::size_t kSceneVersionSize = 16;
inline constexpr std::size_t kSceneConnectedAt = 17536;
inline constexpr std::size_t kSceneRetryCountAt = 17540;
inline constexpr std::size_t kSceneConnectingAt = 17544;
inline constexpr std::size_t kSceneLastProbeAt = 17546;
inline constexpr std::size_t kSceneLastHeardAt = 17562;

static_assert(kSceneStripsAt + kStripCount * sizeof(StripRecord) == kSceneKeptAAt);
static_assert(kSceneKeptAAt + 976 == kSceneBusesAt);
static_assert(kSceneBusesAt + kBusCount * sizeof(BusRecord) == kSceneKeptBAt);
static_assert(kSceneKeptBAt + 1100 == kSceneVersionAt);
static_assert(kSceneLastHeardAt + 16 + 2 == kSceneSize);

using SceneBytes = std::array<uint8_t, kSceneSize>;

// A wall-clock time as the file keeps it: year, month, day of the week
// (0 Sunday), day, hour, minute, second, millisecond.
struct SceneTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t millisecond = 0;
    bool operator==(const SceneTime&) const = default;
};

// What the file records about the connection. Only informative: a recall
// keeps the link as it is.
struct SceneLinkFields {
    std::string version;  // the mixer's version text, cut to 15 bytes
    bool connected = false;
    bool connecting = false;
    int32_t retryCount = 0;
    SceneTime lastProbe;
    SceneTime lastHeard;
    bool operator==(const SceneLinkFields&) const = default;
};

// Writes the records and the link fields into the image. The reserved bytes
// and the two carried regions keep what the image held, so that a scene
// recalled and saved again gives them back unchanged.
void StoreScene(SceneBytes& image, const MixerState& state, const SceneLinkFields& link);

// The records of an image, every value clamped to its range and every name
// terminated, ready to replace the editor's state.
MixerState SceneState(const SceneBytes& image);

// The link fields of an image; the version text ends at its first NUL.
SceneLinkFields SceneLink(const SceneBytes& image);

}  // namespace mixer
