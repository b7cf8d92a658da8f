#include "groups/group_text.h"

namespace mixer {

std::string EncodeFlags(std::span<const int> flags) {
    std::string text;
    text.reserve(flags.size());
    for (int flag : flags) text += flag == 1 ? '1' : '0';
    return text;
}

void DecodeFlags(std::string_view text, std::span<int> flags) {
    for (std::size_t k = 0; k < flags.size(); ++k) flags[k] = k < text.size() && text[k] == '1' ? 1 : 0;
}

}  // namespace mixer
