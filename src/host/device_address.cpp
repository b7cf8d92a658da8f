#include "host/device_address.h"

namespace mixer {

bool IsDottedIPv4(std::string_view text) {
    int parts = 0;
    std::size_t i = 0;
    while (true) {
        int value = 0;
        std::size_t digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + (text[i] - '0');
            ++digits;
            ++i;
            if (digits > 3 || value > 255) return false;
        }
        if (digits == 0) return false;
        ++parts;
        if (i == text.size()) return parts == 4;
        if (text[i] != '.' || parts == 4) return false;
        ++i;
    }
}

std::string DeviceAddressFromProfile(const std::optional<std::string>& stored, const std::string& current) {
    if (!stored) return current;
    std::string_view value = *stored;
    const auto first = value.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return kDefaultDeviceAddress;
    value = value.substr(first, value.find_last_not_of(" \t\r\n") - first + 1);
    if (!IsDottedIPv4(value)) return kDefaultDeviceAddress;
    return std::string(value);
}

}  // namespace mixer
