#include "link/dotted_ipv4.h"

namespace mixer {

bool IsDottedIpv4(std::string_view text) {
    int parts = 0;
    std::size_t pos = 0;
    while (parts < 4) {
        std::size_t end = pos;
        int value = 0;
        while (end < text.size() && end - pos < 4 && text[end] >= '0' && text[end] <= '9') {
            value = value * 10 + (text[end] - '0');
            ++end;
        }
        const std::size_t digits = end - pos;
        if (digits == 0 || digits > 3 || value > 255 || (digits > 1 && text[pos] == '0')) return false;
        ++parts;
        if (parts == 4) return end == text.size();
        if (end >= text.size() || text[end] != '.') return false;
        pos = end + 1;
    }
    return false;
}

}  // namespace mixer
