#include "remote/state_json.h"

#include <cmath>

#include "link/meter_report.h"

namespace mixer::remote {

std::string JsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

namespace {

std::string Number(int value) { return std::to_string(value); }

std::string Strip(const MixerState& s, const Names& names, int i, Role role) {
    const StripRecord& r = s.strips[i];
    std::string out = "{\"i\":" + Number(i) + ",\"n\":" + JsonString(names.strips[i]);
    if (!role.Engineer()) return out + ",\"x\":" + Number(r.auxSend[role.aux - 1]) + "}";
    out += ",\"l\":" + Number(r.level) + ",\"m\":" + Number(r.mute != 0) + ",\"s\":" + Number(r.solo != 0) +
           ",\"p\":" + Number(r.pan) + ",\"a\":[";
    for (int a = 0; a < kAuxCount; ++a) out += (a ? "," : "") + Number(r.auxSend[a]);
    return out + "]}";
}

std::string Output(const MixerState& s, const Names& names, int output) {
    const BusRecord& b = s.buses[BusOfOutput(output)];
    return "{\"o\":" + Number(output) + ",\"n\":" + JsonString(names.outputs[output]) + ",\"l\":" + Number(b.level) +
           ",\"m\":" + Number(b.mute != 0) + ",\"p\":" + Number(b.balance) + "}";
}

bool OutputShown(Role role, int output) { return role.Engineer() || output == role.aux; }

int Bar(int level) { return static_cast<int>(std::lround(MeterBarHeight(level) * 100.0 / kFaderPositionMax)); }

std::string Records(const MixerState& s, const Names& names, const ChangeSet* changes, Role role) {
    const uint32_t stripParts = role.Engineer() ? kShownParts : kPartSends | kPartName;
    std::string strips;
    for (int i = 0; i < kStripCount; ++i) {
        if (changes && !changes->Strip(i, stripParts)) continue;
        strips += (strips.empty() ? "" : ",") + Strip(s, names, i, role);
    }
    std::string outputs;
    for (int o = 0; o < kOutputCount; ++o) {
        if (!OutputShown(role, o)) continue;
        const int bus = BusOfOutput(o);
        if (changes && !changes->Bus(bus, kShownParts) && !(o == 0 && changes->Bus(1, kShownParts))) continue;
        outputs += (outputs.empty() ? "" : ",") + Output(s, names, o);
    }
    if (changes && strips.empty() && outputs.empty()) return {};
    return "\"strips\":[" + strips + "],\"outs\":[" + outputs + "]";
}

}  // namespace

std::string EncodeWelcome(const MixerState& s, const Names& names, Role role, int language) {
    std::string out = "{\"t\":\"welcome\",\"aux\":" + Number(role.aux) + ",\"lang\":" + Number(language) + ",\"fader\":[";
    for (int level = 0; level <= kLevelMax; ++level) out += (level ? "," : "") + Number(FaderPositionFromLevel(level));
    return out + "]," + Records(s, names, nullptr, role) + "}";
}

std::string EncodeChanges(const MixerState& s, const Names& names, const ChangeSet& changes, Role role) {
    const std::string records = Records(s, names, &changes, role);
    return records.empty() ? std::string() : "{\"t\":\"chg\"," + records + "}";
}

std::string EncodeMeters(const MixerState& s, Role role) {
    std::string out = "{\"t\":\"m\",\"s\":[";
    for (int i = 0; i < kStripCount; ++i) out += (i ? "," : "") + Number(Bar(s.strips[i].meter));
    out += "],\"o\":[";
    if (role.Engineer()) {
        out += Number(Bar(s.buses[0].meter)) + "," + Number(Bar(s.buses[1].meter));
        for (int a = 1; a <= kAuxCount; ++a) out += "," + Number(Bar(s.buses[BusOfOutput(a)].meter));
    } else {
        out += Number(Bar(s.buses[BusOfOutput(role.aux)].meter));
    }
    return out + "]}";
}

std::string EncodeNotice(std::string_view kind, int number) {
    return "{\"t\":" + JsonString(kind) + ",\"v\":" + Number(number) + "}";
}

}  // namespace mixer::remote
