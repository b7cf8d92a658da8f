#include "osc/osc_address.h"

#include "link/mixer_state.h"
#include "model/group_tables.h"
#include "pages/sends/sends_edits.h"

namespace mixer {

namespace {

constexpr int kAuxCount = kBusCount - kFirstAux;

// The parts between the slashes; nothing unless the path starts with one and
// no part is empty.
std::optional<std::vector<std::string_view>> Split(std::string_view path) {
    if (path.size() < 2 || path.front() != '/') return std::nullopt;
    std::vector<std::string_view> parts;
    path.remove_prefix(1);
    for (;;) {
        const std::size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        if (part.empty()) return std::nullopt;
        parts.push_back(part);
        if (slash == std::string_view::npos) return parts;
        path.remove_prefix(slash + 1);
    }
}

// 1..max written plainly, so that each value has one address.
std::optional<int> Number(std::string_view text, int max) {
    if (text.empty() || text.size() > 2 || text.front() == '0') return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > max) return std::nullopt;
    return value;
}

std::optional<int> SendRow(std::string_view name) {
    if (name.starts_with("aux")) {
        if (const auto k = Number(name.substr(3), kAuxCount)) return kSendRowFirstAux + *k - 1;
    } else if (name.starts_with("fx")) {
        if (const auto k = Number(name.substr(2), 2)) return kSendRowDelay + *k - 1;
    }
    return std::nullopt;
}

std::optional<OscAddress> StripAddress(int strip, const std::vector<std::string_view>& p) {
    const std::string_view what = p[2];
    if (p.size() == 3) {
        if (what == "fader") return OscAddress{OscParam::StripFader, strip};
        if (what == "mute") return OscAddress{OscParam::StripMute, strip};
        if (what == "solo") return OscAddress{OscParam::StripSolo, strip};
        if (what == "pan") return OscAddress{OscParam::StripPan, strip};
        if (what == "name") return OscAddress{OscParam::StripName, strip};
    }
    if (p.size() == 4 && what == "send") {
        const auto row = SendRow(p[3]);
        if (row && SendRowShown(strip, *row)) return OscAddress{OscParam::StripSend, strip, *row};
    }
    return std::nullopt;
}

std::optional<OscAddress> BusAddress(int bus, const std::vector<std::string_view>& p, std::size_t at) {
    if (p.size() != at + 1) return std::nullopt;
    if (p[at] == "fader") return OscAddress{OscParam::BusFader, bus};
    if (p[at] == "mute") return OscAddress{OscParam::BusMute, bus};
    return std::nullopt;
}

std::optional<OscAddress> Parse(const std::vector<std::string_view>& p) {
    const std::string_view head = p[0];
    if (p.size() == 1) {
        if (head == "subscribe") return OscAddress{OscParam::Subscribe};
        if (head == "meters") return OscAddress{OscParam::Meters};
        if (head == "ignored") return OscAddress{OscParam::Ignored};
        if (head == "undo") return OscAddress{OscParam::Undo};
        if (head == "redo") return OscAddress{OscParam::Redo};
        return std::nullopt;
    }
    if (head == "main") return BusAddress(0, p, 1);
    if (head == "scene" && p.size() == 2) {
        if (p[1] == "recall") return OscAddress{OscParam::SceneRecall};
        if (p[1] == "save") return OscAddress{OscParam::SceneSave};
        return std::nullopt;
    }
    if (head == "ch" && p.size() >= 3) {
        if (const auto n = Number(p[1], kStripCount)) return StripAddress(*n - 1, p);
    } else if (head == "aux" && p.size() >= 3) {
        if (const auto n = Number(p[1], kAuxCount)) return BusAddress(kFirstAux + *n - 1, p, 2);
    } else if (head == "phantom" && p.size() == 2) {
        if (const auto n = Number(p[1], kInputCount)) return OscAddress{OscParam::Phantom, *n - 1};
    } else if (head == "mutegroup" && p.size() == 2) {
        if (const auto n = Number(p[1], kGroupCount)) return OscAddress{OscParam::MuteGroup, *n};
    }
    return std::nullopt;
}

bool IsLevel(OscParam param) {
    return param == OscParam::StripFader || param == OscParam::StripSend || param == OscParam::BusFader;
}

std::string SendName(int row) {
    if (row >= kSendRowDelay) return "fx" + std::to_string(row - kSendRowDelay + 1);
    return "aux" + std::to_string(row - kSendRowFirstAux + 1);
}

std::string BusPath(int bus) { return bus == 0 ? "/main" : "/aux/" + std::to_string(bus - kFirstAux + 1); }

}  // namespace

std::optional<OscAddress> ParseOscPath(std::string_view path) {
    auto parts = Split(path);
    if (!parts) return std::nullopt;
    // "/raw" after a level asks for the mixer's units.
    const bool raw = parts->size() > 2 && parts->back() == "raw";
    if (raw) parts->pop_back();
    auto address = Parse(*parts);
    if (!address || (raw && !IsLevel(address->param))) return std::nullopt;
    address->raw = raw;
    return address;
}

std::string OscPath(const OscAddress& a) {
    const std::string strip = "/ch/" + std::to_string(a.index + 1);
    const std::string raw = a.raw ? "/raw" : "";
    switch (a.param) {
    case OscParam::StripFader: return strip + "/fader" + raw;
    case OscParam::StripMute: return strip + "/mute";
    case OscParam::StripSolo: return strip + "/solo";
    case OscParam::StripPan: return strip + "/pan";
    case OscParam::StripSend: return strip + "/send/" + SendName(a.row) + raw;
    case OscParam::StripName: return strip + "/name";
    case OscParam::BusFader: return BusPath(a.index) + "/fader" + raw;
    case OscParam::BusMute: return BusPath(a.index) + "/mute";
    case OscParam::Phantom: return "/phantom/" + std::to_string(a.index + 1);
    case OscParam::MuteGroup: return "/mutegroup/" + std::to_string(a.index);
    case OscParam::SceneRecall: return "/scene/recall";
    case OscParam::SceneSave: return "/scene/save";
    case OscParam::Undo: return "/undo";
    case OscParam::Redo: return "/redo";
    case OscParam::Subscribe: return "/subscribe";
    case OscParam::Meters: return "/meters";
    case OscParam::Ignored: break;
    }
    return "/ignored";
}

const std::vector<OscAddress>& FeedbackAddresses() {
    static const std::vector<OscAddress> table = [] {
        std::vector<OscAddress> t;
        for (int strip = 0; strip < kStripCount; ++strip) {
            for (bool raw : {false, true}) t.push_back({OscParam::StripFader, strip, 0, raw});
            for (OscParam p : {OscParam::StripMute, OscParam::StripSolo, OscParam::StripPan, OscParam::StripName})
                t.push_back({p, strip});
            for (int row = kSendRowFirstAux; row < kSendRowCount; ++row) {
                if (!SendRowShown(strip, row)) continue;
                for (bool raw : {false, true}) t.push_back({OscParam::StripSend, strip, row, raw});
            }
        }
        for (int bus = 0; bus < kBusCount; ++bus) {
            if (bus == 1) continue;  // MAIN's second record is MAIN
            for (bool raw : {false, true}) t.push_back({OscParam::BusFader, bus, 0, raw});
            t.push_back({OscParam::BusMute, bus});
        }
        for (int input = 0; input < kInputCount; ++input) t.push_back({OscParam::Phantom, input});
        for (int group = 1; group <= kGroupCount; ++group) t.push_back({OscParam::MuteGroup, group});
        return t;
    }();
    return table;
}

}  // namespace mixer
