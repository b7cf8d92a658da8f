#include "pages/sends/sends_edits.h"

#include <algorithm>

#include "link/commands.h"

namespace mixer {

namespace {

constexpr int kFirstSendKind = 41;

template <class Record>
auto& Level(Record& r, int row) {
    if (row == 0) return r.mainSend;
    if (row < kSendRowDelay) return r.auxSend[row - kSendRowFirstAux];
    return r.fxSend[row - kSendRowDelay];
}

bool IsEffectReturn(int channel) { return channel >= kInputCount && channel < kStripCount; }

}  // namespace

bool IsSendsChannel(int channel) { return channel >= 0 && channel < kStripCount; }
bool IsSendRow(int row) { return row >= 0 && row < kSendRowCount; }

bool SendRowShown(int channel, int row) {
    if (!IsSendsChannel(channel) || row < kSendRowFirstAux || row >= kSendRowCount) return false;
    return row < kSendRowDelay || !IsEffectReturn(channel);
}

int SendDisplayKind(int row) { return kFirstSendKind + std::clamp(row, 0, kSendRowCount - 1); }

int SendLevel(const MixerState& s, int channel, int row) {
    if (!IsSendsChannel(channel) || !IsSendRow(row)) return 0;
    return Level(s.strips[channel], row);
}

Commands WriteSendLevel(MixerState& s, int channel, int row, int level) {
    if (!IsSendsChannel(channel) || !IsSendRow(row)) return {};
    Level(s.strips[channel], row) = std::clamp(level, 0, kSendLevelMax);
    return SendRowCommands(s, channel, row);
}

Commands SendRowCommands(const MixerState& s, int channel, int row) {
    if (!IsSendsChannel(channel) || !IsSendRow(row)) return {};
    const int index = channel + 1;
    return {row < kSendRowDelay ? BuildI(s, index) : BuildJ(s, index)};
}

void CopySendRow(MixerState& s, int from, int to, int row) {
    if (!IsSendsChannel(from) || !IsSendsChannel(to) || from == to || !IsSendRow(row)) return;
    if (row >= kSendRowDelay && IsEffectReturn(to)) return;
    Level(s.strips[to], row) = Level(s.strips[from], row);
}

bool SendMutes::Muted(const MixerState& s, int channel, int row) const {
    // A level stored from elsewhere (a typed value, a linked channel, the
    // mixer) makes the send live again, and the row must not say MUTE.
    return IsSendsChannel(channel) && IsSendRow(row) && rows_[channel][row].muted && SendLevel(s, channel, row) == 0;
}

int SendMutes::KnobLevel(const MixerState& s, int channel, int row) const {
    if (Muted(s, channel, row)) return rows_[channel][row].kept;
    return SendLevel(s, channel, row);
}

Commands SendMutes::MoveKnob(MixerState& s, int channel, int row, int level) {
    if (!IsSendsChannel(channel) || !IsSendRow(row)) return {};
    if (Muted(s, channel, row)) {
        rows_[channel][row].kept = std::clamp(level, 0, kSendLevelMax);
        return {};
    }
    return WriteSendLevel(s, channel, row, level);
}

Commands SendMutes::Toggle(MixerState& s, int channel, int row, int knobLevel) {
    if (!IsSendsChannel(channel) || !IsSendRow(row)) return {};
    Row& r = rows_[channel][row];
    r.muted = !Muted(s, channel, row);
    r.kept = std::clamp(knobLevel, 0, kSendLevelMax);
    return WriteSendLevel(s, channel, row, r.muted ? 0 : r.kept);
}

}  // namespace mixer
