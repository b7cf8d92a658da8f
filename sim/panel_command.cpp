#include "sim/panel_command.h"

#include <cctype>

#include "link/command_apply.h"
#include "link/wire_format.h"

namespace mixer {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsChecksum(std::string_view part) {
    if (part.size() != 4) return false;
    for (char c : part)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

}  // namespace

PanelOutcome ApplyPanelLine(std::string_view line, MixerState& state, std::string& error) {
    const std::string_view text = Trimmed(line);
    if (text.empty()) return PanelOutcome::kBlank;
    if (text.size() > kMaxMessageLength) {
        error = "longer than any command (" + std::to_string(kMaxMessageLength) + " characters at most)";
        return PanelOutcome::kRefused;
    }
    if (text.front() != '%') {
        error = "a command starts with %";
        return PanelOutcome::kRefused;
    }
    std::string_view body = text;
    if (body.back() == '#') body.remove_suffix(1);
    const std::size_t lastComma = body.rfind(',');
    const std::string_view last = lastComma == std::string_view::npos ? body : body.substr(lastComma + 1);
    std::string message;
    if (lastComma != std::string_view::npos && IsChecksum(last)) {
        message = std::string(body.substr(0, lastComma + 1)) + Upper(last) + '#';
        if (!CheckFrame(message)) {
            error = "checksum " + std::string(last) + " does not match; leave it out to have it worked out";
            return PanelOutcome::kRefused;
        }
    } else {
        const std::string head = std::string(body) + (last.empty() ? "" : ",");
        message = head + Hex4(Crc16Modbus(head)) + '#';
    }
    if (!ApplyCommand(message, state)) {
        error = "not a command the mixer takes (letters A to P with their fields)";
        return PanelOutcome::kRefused;
    }
    return PanelOutcome::kApplied;
}

}  // namespace mixer
