#include "host/step_text.h"

#include <cstring>

#include "host/strip_links.h"
#include "host/value_display.h"

namespace mixer {

namespace {

struct Words {
    const char* english;
    const char* chinese;
    std::string In(int language) const { return language == 1 ? english : chinese; }
};

Words ActionWords(StepAction action) {
    switch (action) {
    case StepAction::PeqReset: return {"PEQ RESET", "参量均衡复位"};
    case StepAction::GeqReset: return {"GEQ RESET", "增益均衡复位"};
    case StepAction::GeqStroke: return {"GEQ DRAW", "增益均衡画"};
    case StepAction::GateReset: return {"NOISE GATE RESET", "噪声门复位"};
    case StepAction::CompReset:
    case StepAction::LimiterReset: return {"COMP RESET", "压缩器复位"};
    case StepAction::EffectReset: return {"EFFECT RESET", "效果复位"};
    case StepAction::Bypass: return {"PEQ BYPASS", "参量均衡直通"};
    case StepAction::PresetRecall: return {"preset recall", "预设调用"};
    case StepAction::Phantom: return {"phantom power", "幻象电源"};
    case StepAction::SendPoint: return {"send point", "发送点"};
    case StepAction::SceneRecall: return {"scene recall", "场景调用"};
    case StepAction::ClearMute: return {"CLEAR MUTE", "清除静音"};
    case StepAction::ClearSolo: return {"CLEAR SOLO", "清除监听"};
    case StepAction::MuteGroup: return {"MUTE GROUP", "静音分组"};
    case StepAction::DeviceReset: return {"device RESET", "设备复位"};
    default: return {"settings", "设置"};
    }
}

// The strips' own controls by the words a user calls them; the pages'
// parameters by the value display's names.
std::string ParameterWords(const MixerState& state, int channel, int kind, int language) {
    const bool bus = channel >= kFirstOutputChannel;
    switch (static_cast<StripParam>(kind)) {
    case StripParam::Mute: return Words{"mute", "静音"}.In(language);
    case StripParam::Solo: return Words{"solo", "监听"}.In(language);
    case StripParam::Fader: return Words{"fader", "推子"}.In(language);
    case StripParam::Pan: return bus ? Words{"balance", "平衡"}.In(language) : Words{"pan", "声像"}.In(language);
    }
    const std::string shown = FormatValueDisplay(state, channel, kind, language).parameter;
    return shown.empty() ? ActionWords(StepAction::Edit).In(language) : shown;
}

}  // namespace

StepText DescribeStep(const MixerState& state, const StepLabel& label, int language) {
    StepText text;
    const int channel = label.channel;
    if (channel >= 0 && channel < kStripCount) {
        text.channelName.assign(state.strips[channel].name, strnlen(state.strips[channel].name, kNameSize));
    } else if (channel >= kFirstOutputChannel && channel < kDisplayChannelCount) {
        const BusRecord& bus = state.buses[channel - kFirstOutputChannel];
        text.channelName.assign(bus.name, strnlen(bus.name, kNameSize));
    }
    switch (label.action) {
    case StepAction::Parameter: text.what = ParameterWords(state, channel, label.kind, language); break;
    case StepAction::MuteGroup: {
        // The group the press engaged, or the one it released.
        const int group = label.switchAfter != 0 ? label.switchAfter : label.switchBefore;
        text.what = ActionWords(label.action).In(language) + " " + std::to_string(group);
        break;
    }
    default: text.what = ActionWords(label.action).In(language); break;
    }
    return text;
}

}  // namespace mixer
