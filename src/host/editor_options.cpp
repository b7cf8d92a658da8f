#include "host/editor_options.h"

#include <charconv>
#include <functional>
#include <map>

#include "host/device_address.h"
#include "host/sync_status.h"

namespace mixer {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || p != end) return std::nullopt;
    return value;
}

// Each handler stores its value or returns an error text.
using ValueHandler = std::function<std::string(EditorOptions&, const std::string&)>;

std::string NonEmpty(const char* option, const std::string& value, std::string& target) {
    if (value.empty()) return std::string(option) + " needs a value";
    target = value;
    return {};
}

std::string Address(const char* option, const std::string& value, std::string& target) {
    if (!IsDottedIPv4(value)) return std::string(option) + " needs an IPv4 address such as 127.0.0.1, not " + Quoted(value);
    target = value;
    return {};
}

std::string Port(const char* option, const std::string& value, int& target) {
    const auto n = WholeNumber(value);
    if (!n || *n < 1 || *n > 65535) return std::string(option) + " needs a number from 1 to 65535, not " + Quoted(value);
    target = *n;
    return {};
}

// Addresses separated by commas; each is added to the list.
std::string AddressList(const char* option, const std::string& value, std::vector<std::string>& list) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = value.find(',', start);
        std::string address;
        std::string error = Address(option, value.substr(start, comma - start), address);
        if (!error.empty()) return error;
        list.push_back(address);
        if (comma == std::string::npos) return {};
        start = comma + 1;
    }
}

const std::map<std::string, ValueHandler>& ValueOptions() {
    static const std::map<std::string, ValueHandler> handlers = {
        {"--data-dir", [](EditorOptions& o, const std::string& v) { return NonEmpty("--data-dir", v, o.dataDir); }},
        {"--profile", [](EditorOptions& o, const std::string& v) { return NonEmpty("--profile", v, o.profileFile); }},
        {"--update-url", [](EditorOptions& o, const std::string& v) { return NonEmpty("--update-url", v, o.updateUrl); }},
        {"--screenshot",
         [](EditorOptions& o, const std::string& v) { return NonEmpty("--screenshot", v, o.screenshotFile); }},
        {"--page",
         [](EditorOptions& o, const std::string& v) {
             std::string error;
             o.page = ParsePageRequest(v, error);
             return error;
         }},
        {"--bind", [](EditorOptions& o, const std::string& v) { return Address("--bind", v, o.bindAddress); }},
        {"--device",
         [](EditorOptions& o, const std::string& v) {
             std::string address;
             std::string error = Address("--device", v, address);
             if (error.empty()) o.deviceAddress = address;
             return error;
         }},
        {"--port", [](EditorOptions& o, const std::string& v) { return Port("--port", v, o.port); }},
        {"--osc",
         [](EditorOptions& o, const std::string& v) {
             int port = 0;
             std::string error = Port("--osc", v, port);
             if (error.empty()) o.oscPort = port;
             return error;
         }},
        {"--osc-bind", [](EditorOptions& o, const std::string& v) { return Address("--osc-bind", v, o.oscBind); }},
        {"--osc-allow",
         [](EditorOptions& o, const std::string& v) { return AddressList("--osc-allow", v, o.oscAllow); }},
        {"--remote",
         [](EditorOptions& o, const std::string& v) -> std::string {
             const auto n = WholeNumber(v);
             if (!n || *n < 1 || *n > 65535) return "--remote needs a port from 1 to 65535, not " + Quoted(v);
             o.remotePort = *n;
             return {};
         }},
        {"--language",
         [](EditorOptions& o, const std::string& v) -> std::string {
             const auto n = WholeNumber(v);
             if (!n || (*n != 1 && *n != 2)) return "--language needs 1 (English) or 2 (Chinese), not " + Quoted(v);
             o.language = *n;
             return {};
         }},
        {"--resync",
         [](EditorOptions& o, const std::string& v) -> std::string {
             o.resyncMs = ResyncMsFromText(v);
             if (!o.resyncMs) return "--resync needs seconds from 0.1 to 3600, or 0 for never, not " + Quoted(v);
             return {};
         }},
    };
    return handlers;
}

}  // namespace

ParsedOptions ParseEditorOptions(const std::vector<std::string>& args) {
    ParsedOptions result;
    EditorOptions& o = result.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }

        if (name == "--help" || name == "-h") {
            result.help = true;
            continue;
        }
        if (name == "--connect" || name == "--demo" || name == "--discover") {
            if (inlineValue) {
                result.error = name + " takes no value";
                return result;
            }
            (name == "--connect" ? o.connect : name == "--demo" ? o.demo : o.discover) = true;
            continue;
        }
        const auto& handlers = ValueOptions();
        const auto handler = handlers.find(name);
        if (handler == handlers.end()) {
            result.error = name.starts_with("-") ? "unknown option " + Quoted(name) : "unexpected argument " + Quoted(name);
            return result;
        }
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            result.error = name + " needs a value";
            return result;
        }
        result.error = handler->second(o, value);
        if (!result.error.empty()) return result;
    }
    if (o.demo && o.discover) {
        result.error = "--discover searches the network and opens no window; leave out --demo";
    } else if (o.demo && o.deviceAddress) {
        result.error = "--demo chooses the simulated mixer's address itself; leave out --device";
    } else if (o.demo && o.bindAddress != "0.0.0.0" && !IsLoopback(o.bindAddress)) {
        result.error = "--demo stays on loopback; --bind must be a 127.x.x.x address, not " + Quoted(o.bindAddress);
    } else if (!IsLoopback(o.oscBind) && o.oscAllow.empty()) {
        result.error = "OSC has no authentication: beyond loopback, --osc-bind " + o.oscBind +
                       " needs --osc-allow with the addresses to answer";
    }
    return result;
}

bool IsLoopback(const std::string& address) { return IsDottedIPv4(address) && address.starts_with("127."); }

void PointAtDemoMixer(EditorOptions& options) {
    options.deviceAddress = kDemoMixerAddress;
    if (!IsLoopback(options.bindAddress)) options.bindAddress = kDemoBindAddress;
    options.connect = true;
}

std::string EditorHelpText() {
    return "Usage: mixer-editor [options]\n"
           "Remote-control editor for the VantorDIGITAL 16-input digital mixer.\n"
           "\n"
           "  --data-dir DIR     directory of the preset database, scenes and firmware\n"
           "                     (default: the program's directory)\n"
           "  --profile FILE     profile that keeps the mixer's address\n"
           "                     (default: mixer-editor.ini in the data directory)\n"
           "  --device ADDR      the mixer's IPv4 address (default: the profile's)\n"
           "  --bind ADDR        local IPv4 address of the link (default: 0.0.0.0)\n"
           "  --port N           local port and the mixer's port (default: 5000)\n"
           "  --language 1|2     labels in English (1) or Chinese (2) (default: the language\n"
           "                     last chosen in the window, else the desktop's)\n"
           "  --resync SECONDS   while connected, compare with the mixer's whole state this\n"
           "                     often, 0 for never (default: the profile's, else 5)\n"
           "  --remote PORT      serve the web remote for phones and tablets on PORT, on the\n"
           "                     address of --bind (default: as the system page last chose)\n"
           "  --update-url URL   address of the firmware update page\n"
           "  --connect          connect to the mixer at start-up, as CONNECT does\n"
           "  --demo             start a simulated mixer on loopback (127.0.0.2) and connect\n"
           "                     to it from 127.0.0.1\n"
           "  --page NAME[:N]    open the console on a page instead of the strips:\n"
           "                     peq:N, dynamics:N, sends:N (N 1..16 inputs, 17 delay\n"
           "                     return, 18 reverb return), geq:N, limiter:N (N 1 and 2\n"
           "                     MAIN, 3..8 AUX 1..6), effect, system, system:TAB (TAB\n"
           "                     connect, limit, show, help or remote), mute-groups,\n"
           "                     view-groups, control-groups, phantom\n"
           "  --osc PORT         answer OSC on PORT (UDP), as the system page's OSC switch\n"
           "                     does (default: the switch and port kept in the profile)\n"
           "  --osc-bind ADDR    local IPv4 address of the OSC server (default: 127.0.0.1);\n"
           "                     any other than 127.x.x.x needs --osc-allow\n"
           "  --osc-allow ADDR[,ADDR...]\n"
           "                     the only senders the OSC server answers; may be repeated\n"
           "  --screenshot FILE  write the window to FILE (PNG) once it is up, or once it\n"
           "                     is connected with --connect or --demo, then close\n"
           "  --discover         search the network of --bind (or of this computer's first\n"
           "                     network interface) for mixers without opening a window;\n"
           "                     prints one line per mixer found, starting with its address\n"
           "  --help             show this text\n";
}

}  // namespace mixer
