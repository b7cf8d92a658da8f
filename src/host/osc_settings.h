#pragma once
// The OSC server as the system page and the start-up see it: whether and
// where it listens, kept in the profile (section "OSC", keys "enabled" and
// "port"), and the switch that starts and stops it.

#include <QString>
#include <string>
#include <vector>

#include "host/editor_options.h"

namespace mixer {

struct OscSettings {
    bool enabled = false;
    int port = kDefaultOscPort;
    std::string bindAddress = kDefaultOscBind;
    // The only senders answered; none: this computer's (loopback) only.
    std::vector<std::string> allowed;
};

class OscControl {
public:
    virtual ~OscControl() = default;

    // Listens as `settings` say, or stops when they are not enabled; false
    // when it could not listen, with the reason in LastError(), and then it
    // does not listen at all.
    virtual bool Apply(const OscSettings& settings) = 0;
    virtual const OscSettings& Settings() const = 0;
    virtual bool IsListening() const = 0;
    virtual QString LastError() const = 0;
};

// The switch and port the profile keeps; the defaults where it holds none
// or a port out of range.
OscSettings ProfileOscSettings(const QString& profileFile);
// Keeps the switch and the port, other entries untouched; false when the
// file could not be written.
bool StoreProfileOsc(const QString& profileFile, const OscSettings& settings);

// What the server starts with: --osc outranks the profile's switch and
// port; the address and the senders answered come from the command line only.
OscSettings StartOscSettings(const EditorOptions& options, OscSettings profile);

}  // namespace mixer
