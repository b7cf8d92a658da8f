#pragma once
// What the link knows about its connection, and the indicators it drives.

#include <cstdint>
#include <string>

#include "link/monotonic_clock.h"

namespace mixer {

inline constexpr uint16_t kDevicePort = 5000;
inline constexpr int kLanguageEnglish = 1;
inline constexpr int kLanguageChinese = 2;

struct LinkState {
    std::string deviceAddress = "192.168.1.106";
    std::string bindAddress;       // empty: every local address
    uint16_t port = kDevicePort;   // bound locally and sent to on the mixer
    bool receiving = false;        // the socket is open and read
    bool connecting = false;       // a full-state request is outstanding
    bool connected = false;        // a full-state reply came since the last Connect
    int retryCount = 0;            // full-state requests re-sent in this attempt
    MonotonicClock::Time lastProbeTime{0};
    MonotonicClock::Time lastHeardTime{0};
    std::string residue;           // unfinished text of the stream splitter
    int language = kLanguageChinese;
};

// The state of everything the link lights up on screen; the texts follow
// from it and the language.
struct LinkIndicators {
    bool captionDisconnect = false;  // connect button reads DISCONNECT, else CONNECT
    bool connectPressed = false;     // connect button drawn pressed
    bool connectionLit = false;      // connection button of the console header
    bool statusOnline = false;       // status label reads ONLINE, else OFFLINE
    bool homeActive = false;         // set by the first meter report

    bool operator==(const LinkIndicators&) const = default;
};

}  // namespace mixer
