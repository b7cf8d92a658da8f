#pragma once
// What every fuzz target shares: a failed invariant aborts, so that libFuzzer
// keeps the input and the corpus replay in CTest fails; messages are resealed
// with a valid checksum so that mutations reach the parsers behind the frame
// check; and an input is read as bytes taken one field at a time.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "link/mixer_state.h"
#include "link/reset_defaults.h"
#include "link/wire_format.h"

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

namespace mixer::fuzz {

inline bool SameState(const MixerState& a, const MixerState& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// True when clamping would change nothing: every stored value is in range.
inline bool InRanges(const MixerState& state) {
    MixerState clamped = state;
    ClampToRanges(clamped);
    return SameState(clamped, state);
}

inline MixerState DefaultState() {
    MixerState state;
    std::memset(&state, 0, sizeof state);
    ResetDefaults(state);
    return state;
}

// The text with its last five characters (checksum and "#") replaced by the
// checksum of everything before them and "#".
inline std::string Resealed(std::string_view text) {
    const std::string_view body = text.size() >= 5 ? text.substr(0, text.size() - 5) : text;
    char crc[5];
    std::snprintf(crc, sizeof crc, "%04X", Crc16Modbus(body));
    return std::string(body) + crc + "#";
}

// Runs check on the input as it came, then once more resealed.
template <typename Check>
void AsSentAndResealed(const uint8_t* data, std::size_t size, Check check) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check(text);
    check(Resealed(text));
}

class Input {
public:
    Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ == size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string_view Take(std::size_t count) {
        count = count < size_ - pos_ ? count : size_ - pos_;
        const std::string_view taken(reinterpret_cast<const char*>(data_) + pos_, count);
        pos_ += count;
        return taken;
    }
    std::string_view Rest() { return Take(size_ - pos_); }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Datagram sizes for cutting a stream: a fixed sequence drawn from a seed
// byte, so that one input always cuts the same way and every size from 0 to
// 160 (past the 128 bytes read) occurs.
class ChunkSizes {
public:
    explicit ChunkSizes(uint8_t seed) : state_(seed * 2654435761u + 1) {}
    std::size_t Next() {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 16) % 161;
    }

private:
    uint32_t state_;
};

}  // namespace mixer::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);
