#include "system/scene_image.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace mixer {

// The records are copied byte for byte; on a little-endian machine that is
// the file's order.
static_assert(std::endian::native == std::endian::little, "scene files are little-endian");

namespace {

void PutU16(SceneBytes& image, std::size_t at, uint16_t value) {
    image[at] = static_cast<uint8_t>(value & 0xFF);
    image[at + 1] = static_cast<uint8_t>(value >> 8);
}

uint16_t GetU16(const SceneBytes& image, std::size_t at) {
    return static_cast<uint16_t>(image[at] | (image[at + 1] << 8));
}

void PutTime(SceneBytes& image, std::size_t at, const SceneTime& t) {
    const uint16_t fields[8] = {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.millisecond};
    for (int i = 0; i < 8; ++i) PutU16(image, at + 2 * i, fields[i]);
}

SceneTime GetTime(const SceneBytes& image, std::size_t at) {
    SceneTime t;
    uint16_t* fields[8] = {&t.year, &t.month, &t.dayOfWeek, &t.day, &t.hour, &t.minute, &t.second, &t.millisecond};
    for (int i = 0; i < 8; ++i) *fields[i] = GetU16(image, at + 2 * i);
    return t;
}

}  // namespace

void StoreScene(SceneBytes& image, const MixerState& state, const SceneLinkFields& link) {
    std::memcpy(image.data() + kSceneStripsAt, state.strips, sizeof state.strips);
    std::memcpy(image.data() + kSceneBusesAt, state.buses, sizeof state.buses);
    std::fill_n(image.begin() + kSceneVersionAt, kSceneVersionSize, uint8_t{0});
    const std::size_t versionLength = std::min(link.version.size(), kSceneVersionSize - 1);
    std::memcpy(image.data() + kSceneVersionAt, link.version.data(), versionLength);
    image[kSceneConnectedAt] = link.connected ? 1 : 0;
    const auto retry = static_cast<uint32_t>(link.retryCount);
    for (int i = 0; i < 4; ++i) image[kSceneRetryCountAt + i] = static_cast<uint8_t>(retry >> (8 * i));
    image[kSceneConnectingAt] = link.connecting ? 1 : 0;
    PutTime(image, kSceneLastProbeAt, link.lastProbe);
    PutTime(image, kSceneLastHeardAt, link.lastHeard);
}

MixerState SceneState(const SceneBytes& image) {
    MixerState state;
    std::memcpy(state.strips, image.data() + kSceneStripsAt, sizeof state.strips);
    std::memcpy(state.buses, image.data() + kSceneBusesAt, sizeof state.buses);
    ClampToRanges(state);
    return state;
}

SceneLinkFields SceneLink(const SceneBytes& image) {
    SceneLinkFields link;
    const auto* version = reinterpret_cast<const char*>(image.data() + kSceneVersionAt);
    link.version.assign(version, strnlen(version, kSceneVersionSize - 1));
    link.connected = image[kSceneConnectedAt] != 0;
    uint32_t retry = 0;
    for (int i = 0; i < 4; ++i) retry |= static_cast<uint32_t>(image[kSceneRetryCountAt + i]) << (8 * i);
    link.retryCount = static_cast<int32_t>(retry);
    link.connecting = image[kSceneConnectingAt] != 0;
    link.lastProbe = GetTime(image, kSceneLastProbeAt);
    link.lastHeard = GetTime(image, kSceneLastHeardAt);
    return link;
}

}  // namespace mixer
