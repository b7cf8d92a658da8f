#include "system/version_reply.h"

#include <vector>

#include "link/wire_format.h"
#include "system/update_record.h"

namespace mixer {

namespace {
constexpr std::size_t kVersionPart = 28;
constexpr std::size_t kVersionDigits = 2;
}  // namespace

bool ReadReplyVersion(std::string_view text, std::string& version) {
    // Whatever else came in with the reply (a late meter report) is passed over.
    std::string residue;
    std::vector<std::string> messages;
    for (std::size_t at = 0; at < text.size(); at += kMaxDatagram) SplitFrames(residue, text.substr(at, kMaxDatagram), messages);
    for (const std::string& message : messages) {
        if (message[1] != 'Z') continue;
        const std::vector<std::string_view> parts = SplitParts(message);
        // The last part is the checksum, not a version.
        if (parts.size() <= kVersionPart + 1) continue;
        const std::string_view part = parts[kVersionPart];
        if (part.empty()) return true;
        if (!IsVersionText(part)) return false;
        version = std::string(part.size() > kVersionDigits ? part.substr(part.size() - kVersionDigits) : part);
        return true;
    }
    return false;
}

}  // namespace mixer
