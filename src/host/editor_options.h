#pragma once
// The editor's command-line options.

#include <optional>
#include <string>
#include <vector>

#include "host/page_request.h"

namespace mixer {

inline constexpr int kDefaultPort = 5000;
// The demo keeps to loopback: the editor on one address, the simulated mixer
// on another, both on the same port.
inline constexpr const char* kDemoBindAddress = "127.0.0.1";
inline constexpr const char* kDemoMixerAddress = "127.0.0.2";
// OSC has no authentication: the server listens on loopback unless told otherwise.
inline constexpr int kDefaultOscPort = 9000;
inline constexpr const char* kDefaultOscBind = "127.0.0.1";

struct EditorOptions {
    std::string dataDir;                       // empty: the executable's directory
    std::string profileFile;                   // empty: the profile in the data directory
    std::optional<std::string> deviceAddress;  // overrides the profile's address
    std::string bindAddress = "0.0.0.0";       // local address of the link's socket
    int port = kDefaultPort;                   // local port and the mixer's port
    std::optional<int> language;               // 1 English, 2 Chinese; none: the profile's or the desktop's
    std::optional<int> resyncMs;               // full-state request period, 0 off; none: the profile's
    std::optional<int> remotePort;             // serve the web remote on this port; none: as the profile says
    std::string updateUrl;                     // empty: the maker's update page
    bool connect = false;                      // connect at start-up, as CONNECT does
    bool demo = false;                         // start a simulated mixer on loopback and connect to it
    bool discover = false;                     // search for mixers, print them and end, without a window
    std::string screenshotFile;                // write the window to this PNG and close
    std::optional<PageRequest> page;           // the page to open on instead of the strips
    std::optional<int> oscPort;                // start the OSC server on this port
    std::string oscBind = kDefaultOscBind;     // local address of the OSC server
    std::vector<std::string> oscAllow;         // the only senders the OSC server answers
};

struct ParsedOptions {
    EditorOptions options;
    bool help = false;  // --help: print HelpText() and end
    std::string error;  // non-empty: the options were not understood; print it and end
};

// Parses the arguments after the program name. Each option with a value takes
// it as the next argument or after "=" ("--port 5001", "--port=5001").
ParsedOptions ParseEditorOptions(const std::vector<std::string>& args);

std::string EditorHelpText();

// Points the options of a demo at the simulated mixer: the device address is
// the demo mixer's, the link binds to loopback unless another loopback
// address was given, and the editor connects at start-up.
void PointAtDemoMixer(EditorOptions& options);

// True for an address of 127.0.0.0/8.
bool IsLoopback(const std::string& address);

}  // namespace mixer
