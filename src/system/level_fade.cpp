#include "system/level_fade.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace mixer {

namespace {

int32_t WordAt(const MixerState& s, std::size_t word) {
    int32_t value;
    std::memcpy(&value, reinterpret_cast<const char*>(&s) + word * sizeof value, sizeof value);
    return value;
}

void SetWord(MixerState& s, std::size_t word, int32_t value) {
    std::memcpy(reinterpret_cast<char*>(&s) + word * sizeof value, &value, sizeof value);
}

constexpr std::size_t WordOf(std::size_t offset) { return offset / sizeof(int32_t); }

// Every level word: each strip's fader, return level and sends, each bus's fader.
const std::vector<std::size_t>& LevelWords() {
    static const std::vector<std::size_t> words = [] {
        std::vector<std::size_t> all;
        for (int s = 0; s < kStripCount; ++s) {
            const std::size_t at = offsetof(MixerState, strips) + s * sizeof(StripRecord);
            all.push_back(WordOf(at + offsetof(StripRecord, level)));
            all.push_back(WordOf(at + offsetof(StripRecord, level2)));
            all.push_back(WordOf(at + offsetof(StripRecord, mainSend)));
            for (int k = 0; k < 6; ++k) all.push_back(WordOf(at + offsetof(StripRecord, auxSend)) + k);
            for (int k = 0; k < 2; ++k) all.push_back(WordOf(at + offsetof(StripRecord, fxSend)) + k);
        }
        for (int b = 0; b < kBusCount; ++b) {
            all.push_back(WordOf(offsetof(MixerState, buses) + b * sizeof(BusRecord) + offsetof(BusRecord, level)));
        }
        return all;
    }();
    return words;
}

}  // namespace

void LevelFade::Start(const MixerState& live, MixerState& recalled, Ms duration, Ms now) {
    lanes_.clear();
    start_ = now;
    duration_ = std::clamp(duration, Ms{0}, kLongest);
    if (duration_ <= Ms{0}) return;
    for (std::size_t word : LevelWords()) {
        const int32_t from = WordAt(live, word);
        const int32_t to = WordAt(recalled, word);
        if (from == to) continue;
        lanes_.push_back({word, from, to, from});
        SetWord(recalled, word, from);
    }
}

void LevelFade::Step(MixerState& s, Ms now) {
    const double done = std::clamp(static_cast<double>((now - start_).count()) / duration_.count(), 0.0, 1.0);
    for (Lane& lane : lanes_) {
        lane.written = done >= 1.0 ? lane.to
                                   : lane.from + static_cast<int32_t>(std::lround((lane.to - lane.from) * done));
        SetWord(s, lane.word, lane.written);
    }
    if (done >= 1.0) lanes_.clear();
}

void LevelFade::StopTouched(const MixerState& s) {
    std::erase_if(lanes_, [&](const Lane& lane) { return WordAt(s, lane.word) != lane.written; });
}

}  // namespace mixer
