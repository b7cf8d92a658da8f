#pragma once
// The web remote's choices kept in the profile (section "U_FONT_SECTION"):
// "remote" 1 to start the server, "remoteport", and "remotecodes", the seven
// codes the user fixed (engineer, then AUX 1..6), absent when new codes are
// drawn at every start.

#include <QString>
#include <optional>

#include "remote/access.h"

namespace mixer {

inline constexpr int kDefaultRemotePort = 8080;

struct RemoteSettings {
    bool on = false;
    int port = kDefaultRemotePort;
    std::optional<remote::AccessCodes> fixedCodes;
};

RemoteSettings ReadRemoteSettings(const QString& profileFile);
// False when the file could not be written.
bool StoreRemoteSettings(const QString& profileFile, const RemoteSettings& settings);

// The port the server starts on: --remote's, else the profile's while its
// switch is on, else none.
std::optional<int> RemoteStartPort(const std::optional<int>& option, const RemoteSettings& settings);

// The address a phone opens: the bound address, or for every address this
// computer's first IPv4 address that is not loopback (loopback when it has
// none).
QString RemotePageAddress(const QString& bindAddress, int port);

}  // namespace mixer
