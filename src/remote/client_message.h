#pragma once
// What a page may send, read from its JSON text. Only a flat object of known
// keys with short strings, whole numbers and booleans is taken; anything else
// is refused with a reason, never guessed at. Nothing here trusts the page:
// indexes are checked, values are clamped to the control's range.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mixer::remote {

// Longer messages are not read at all; the page's longest is about 60 bytes.
inline constexpr std::size_t kMaxMessageBytes = 256;
inline constexpr int kAuxCount = 6;
inline constexpr int kOutputCount = 1 + kAuxCount;  // MAIN, AUX 1..6

enum class MessageKind { Hello, Set, Meters };

enum class Control {
    StripLevel,   // strip 0..17, level 0..70
    StripMute,    // 0 or 1
    StripSolo,
    StripPan,     // 0..200
    OutLevel,     // output 0 MAIN, 1..6 AUX
    OutMute,
    OutBalance,   // MAIN only
    Send,         // strip 0..17 to AUX 1..6, level 0..70
};

struct ClientMessage {
    MessageKind kind = MessageKind::Hello;
    std::string code;                   // Hello
    Control control = Control::StripLevel;
    int index = 0;                      // strip, or output for the Out controls
    int aux = 0;                        // Send
    int value = 0;
    bool on = false;                    // Meters: the page is visible
};

struct ParsedMessage {
    std::optional<ClientMessage> message;
    std::string error;                  // why it was refused
};

ParsedMessage ParseClientMessage(std::string_view text);

// The mixer's bus of output 0..6 (MAIN is bus 0, AUX n bus n + 1).
int BusOfOutput(int output);

}  // namespace mixer::remote
