#include "system/scan_plan.h"

#include <algorithm>

#include "link/dotted_ipv4.h"

namespace mixer {

std::optional<std::string> ScanOrigin(const std::string& bindAddress, const std::vector<InterfaceInfo>& interfaces) {
    if (!bindAddress.empty() && bindAddress != "0.0.0.0") {
        if (IsDottedIpv4(bindAddress)) return bindAddress;
        return std::nullopt;
    }
    for (const InterfaceInfo& interface : interfaces) {
        if (!interface.up || interface.loopback) continue;
        for (const std::string& address : interface.ipv4) {
            if (IsDottedIpv4(address)) return address;
        }
    }
    return std::nullopt;
}

std::vector<Probe> ScanProbes(const std::string& origin) {
    std::vector<Probe> probes;
    if (!IsDottedIpv4(origin)) return probes;
    const std::size_t lastDot = origin.rfind('.');
    const std::string network = origin.substr(0, lastDot + 1);
    const int own = std::stoi(origin.substr(lastDot + 1));
    for (int host = kFirstScanHost; host <= kLastScanHost; ++host) {
        if (host == own) continue;
        for (int i = 0; i < kProbesPerHost; ++i) probes.push_back({network + std::to_string(host), host});
    }
    return probes;
}

std::size_t ProbesDue(int64_t elapsedMs, std::size_t total) {
    if (elapsedMs < 0) return std::min<std::size_t>(1, total);
    return std::min(total, static_cast<std::size_t>(elapsedMs / kProbeSpacingMs) + 1);
}

}  // namespace mixer
