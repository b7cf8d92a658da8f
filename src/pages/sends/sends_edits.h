#pragma once
// The channel sends page's edits. Each input channel 0..17 has nine send
// levels 0..70: row 0 the MAIN send (kept, never shown), rows 1..6 AUX 1..6,
// row 7 the delay effect, row 8 the reverb effect. Rows 0..6 travel in the
// `I` command, rows 7 and 8 in the `J` command of the channel.
//
// A row's MUTE writes 0 into its send level while the knob keeps its place;
// unmuting writes the knob's place back. SendMutes remembers, per channel,
// which rows are muted and where their knobs stand, so that a muted row
// still shows its knob after the page showed another channel.

#include <array>

#include "link/channel_edits.h"
#include "link/mixer_state.h"

namespace mixer {

inline constexpr int kSendRowCount = 9;
inline constexpr int kSendRowFirstAux = 1;
inline constexpr int kSendRowDelay = 7;
inline constexpr int kSendRowReverb = 8;
inline constexpr int kSendLevelMax = 70;

bool IsSendsChannel(int channel);              // 0..17
bool IsSendRow(int row);                       // 0..8
// Rows the page shows: AUX 1..6, and the two effect rows except on the
// effect returns, which must not feed an effect.
bool SendRowShown(int channel, int row);
// The value display's kind for a row: 41..49.
int SendDisplayKind(int row);

int SendLevel(const MixerState& s, int channel, int row);
// Clamps to 0..70; nothing for an invalid channel or row.
Commands WriteSendLevel(MixerState& s, int channel, int row, int level);
// The command that carries the row of the channel (`I` or `J`).
Commands SendRowCommands(const MixerState& s, int channel, int row);
// A linked channel takes the row's level; the effect rows are not copied
// into the effect returns.
void CopySendRow(MixerState& s, int from, int to, int row);

class SendMutes {
public:
    // Muted, and its level still 0.
    bool Muted(const MixerState& s, int channel, int row) const;
    // Where the row's knob stands: its kept place while muted, otherwise
    // the stored send level.
    int KnobLevel(const MixerState& s, int channel, int row) const;
    // The knob moved to `level`: stored and sent, or, while the row is
    // muted, only kept for the unmute (the row stays silent).
    Commands MoveKnob(MixerState& s, int channel, int row, int level);
    // MUTE pressed with the knob at `knobLevel`.
    Commands Toggle(MixerState& s, int channel, int row, int knobLevel);

private:
    struct Row {
        bool muted = false;
        int kept = 0;
    };
    std::array<std::array<Row, kSendRowCount>, kStripCount> rows_{};
};

}  // namespace mixer
