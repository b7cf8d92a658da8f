#pragma once
// The plan of a search for mixers: which address this computer searches
// from, which hosts of its /24 network are probed, and when each probe is due.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mixer {

// The probe every mixer answers with an "R" message of its own.
inline constexpr const char* kDiscoveryProbe = "%R,01,00,30A0#";
inline constexpr int kFirstScanHost = 2;
inline constexpr int kLastScanHost = 254;
inline constexpr int kProbesPerHost = 2;
inline constexpr int kProbeSpacingMs = 5;

// What the search needs to know of one network interface.
struct InterfaceInfo {
    bool up = false;
    bool loopback = false;
    std::vector<std::string> ipv4;  // dotted addresses, in the system's order
};

// The address this computer searches from: the bind address when one was
// given (anything but empty or 0.0.0.0), otherwise the first IPv4 address of
// the first interface that is up and not loopback. Nothing when neither
// exists. A host-name lookup is not used: on many systems it gives
// 127.0.1.1, which would scan the wrong network.
std::optional<std::string> ScanOrigin(const std::string& bindAddress, const std::vector<InterfaceInfo>& interfaces);

struct Probe {
    std::string address;  // a.b.c.h
    int host = 0;         // h, for the progress bar
};

// Every probe in sending order: hosts 2..254 of origin's /24, each twice,
// without origin itself. Empty when origin is not a dotted IPv4 address.
std::vector<Probe> ScanProbes(const std::string& origin);

// How many probes should have gone out elapsedMs after the first, one every
// 5 ms, never more than total.
std::size_t ProbesDue(int64_t elapsedMs, std::size_t total);

}  // namespace mixer
