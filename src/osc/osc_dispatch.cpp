#include "osc/osc_dispatch.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "groups/phantom_edits.h"
#include "pages/sends/sends_edits.h"
#include "system/level_fade.h"
#include "system/scene_slots.h"

namespace mixer {

namespace {

constexpr int kZeroDb = 60;  // the level of 0 dB

std::optional<double> Number(const OscArg& arg) {
    switch (arg.type) {
    case 'i':
    case 'h':
    case 'f':
    case 'd':
    case 'T':
    case 'F': break;
    default: return std::nullopt;
    }
    if (!std::isfinite(arg.number)) return std::nullopt;
    return arg.number;
}

// Rounded and clamped before the conversion, so that no number overflows it.
int Clamped(double value, int max) { return static_cast<int>(std::clamp(std::round(value), 0.0, double(max))); }

// The value in the state's units.
int StateValue(const OscAddress& a, double v) {
    switch (a.param) {
    case OscParam::StripFader:
    case OscParam::StripSend:
    case OscParam::BusFader: return Clamped(a.raw ? v : v + kZeroDb, kLevelMax);
    case OscParam::StripPan: return Clamped((v + 1.0) * (kPanMax / 2), kPanMax);
    default: return v >= 0.5 ? 1 : 0;
    }
}

bool Action(OscParam p) {
    return p == OscParam::SceneSave || p == OscParam::Undo || p == OscParam::Redo || p == OscParam::Subscribe ||
           p == OscParam::Meters;
}
bool ReadOnly(OscParam p) { return p == OscParam::StripName || p == OscParam::Ignored; }

OscValue Level(int level, bool raw) {
    if (raw) return level;
    return static_cast<float>(level - kZeroDb);
}

constexpr double kMaxFadeSeconds = LevelFade::kLongest.count() / 1000.0;

}  // namespace

std::optional<OscRequest> ReadOscRequest(std::string_view path, const std::vector<OscArg>& args) {
    const auto address = ParseOscPath(path);
    if (!address) return std::nullopt;
    OscRequest request{*address, std::nullopt};
    if (args.empty()) {
        // A scene is recalled by its ID; there is nothing to ask of it.
        if (address->param == OscParam::SceneRecall) return std::nullopt;
        return request;
    }
    if (address->param == OscParam::SceneRecall) {
        if (args.size() > 2) return std::nullopt;
        const auto number = Number(args.front());
        // A scene out of range is another scene, not the nearest one.
        const double id = number ? std::round(*number) : 0;
        if (id < 1 || id > kMaxScenes) return std::nullopt;
        request.value = static_cast<int>(id);
        if (args.size() == 2) {
            const auto seconds = Number(args.back());
            if (!seconds) return std::nullopt;
            request.fadeMs = static_cast<int>(std::lround(std::clamp(*seconds, 0.0, kMaxFadeSeconds) * 1000));
        }
        return request;
    }
    if (args.size() != 1 || Action(address->param) || ReadOnly(address->param)) return std::nullopt;
    const auto number = Number(args.front());
    if (!number) return std::nullopt;
    request.value = StateValue(*address, *number);
    return request;
}

Commands ApplyOscEdit(MixerState& s, const OscRequest& request, const StripLinks& links) {
    if (!request.value) return {};
    const OscAddress& a = request.address;
    const int v = *request.value;
    switch (a.param) {
    case OscParam::StripFader: return WriteStripParam(s, links, a.index, StripParam::Fader, v);
    case OscParam::StripMute: return WriteStripParam(s, links, a.index, StripParam::Mute, v);
    case OscParam::StripSolo: return WriteStripParam(s, links, a.index, StripParam::Solo, v);
    case OscParam::StripPan: return WriteStripParam(s, links, a.index, StripParam::Pan, v);
    case OscParam::StripSend: {
        Commands commands = WriteSendLevel(s, a.index, a.row, v);
        for (int target : LinkedTargets(links, a.index, kLinkMatrix)) {
            CopySendRow(s, a.index, target, a.row);
            const Commands carried = SendRowCommands(s, target, a.row);
            commands.insert(commands.end(), carried.begin(), carried.end());
        }
        return commands;
    }
    case OscParam::BusFader: return WriteBusLevel(s, a.index, v);
    case OscParam::BusMute: return WriteBusMute(s, a.index, v);
    case OscParam::Phantom:
        if (a.index < 0 || a.index >= kInputCount || s.strips[a.index].phantom == v) return {};
        return TogglePhantom(s, a.index);
    default: return {};
    }
}

OscValue OscValueOf(const MixerState& s, const OscAddress& a, int activeMuteGroup) {
    const bool strip = a.index >= 0 && a.index < kStripCount;
    const bool bus = a.index >= 0 && a.index < kBusCount;
    switch (a.param) {
    case OscParam::StripFader:
        if (strip) return Level(s.strips[a.index].level, a.raw);
        break;
    case OscParam::StripMute:
        if (strip) return s.strips[a.index].mute;
        break;
    case OscParam::StripSolo:
        if (strip) return s.strips[a.index].solo;
        break;
    case OscParam::StripPan:
        if (strip) return static_cast<float>(s.strips[a.index].pan - kPanMax / 2) / (kPanMax / 2);
        break;
    case OscParam::StripSend: return Level(SendLevel(s, a.index, a.row), a.raw);
    case OscParam::StripName:
        if (strip) {
            const char* name = s.strips[a.index].name;
            return std::string(name, strnlen(name, kNameSize));
        }
        break;
    case OscParam::BusFader:
        if (bus) return Level(s.buses[a.index].level, a.raw);
        break;
    case OscParam::BusMute:
        if (bus) return s.buses[a.index].mute;
        break;
    case OscParam::Phantom:
        if (a.index >= 0 && a.index < kInputCount) return s.strips[a.index].phantom;
        break;
    case OscParam::MuteGroup: return activeMuteGroup == a.index && a.index != 0 ? 1 : 0;
    default: break;
    }
    return 0;
}

}  // namespace mixer
