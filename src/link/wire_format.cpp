#include "link/wire_format.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace mixer {

namespace {

constexpr std::array<uint16_t, 256> MakeCrcTable() {
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t crc = static_cast<uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kCrcTable = MakeCrcTable();
static_assert(kCrcTable[1] == 0xC0C1);

std::string Format(const char* fmt, int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, fmt, value);
    return buf;
}

std::string ChecksumText(std::string_view text) { return Format("%04X", Crc16Modbus(text)); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool HasWildcard(std::string_view pattern) { return pattern.find('?') != std::string_view::npos; }

bool CharMatches(char patternChar, char textChar) { return patternChar == '?' || patternChar == textChar; }

// A prefix table is only sound without wildcards: "?" breaks the transitivity
// it relies on and can skip a real match, so wildcard patterns are compared
// position by position.
int FindWithWildcards(std::string_view text, std::string_view pattern, std::size_t start) {
    for (std::size_t i = start; i + pattern.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < pattern.size() && CharMatches(pattern[k], text[i + k])) ++k;
        if (k == pattern.size()) return static_cast<int>(i);
    }
    return -1;
}

int FindWithPrefixTable(std::string_view text, std::string_view pattern, std::size_t start) {
    std::vector<std::size_t> fail(pattern.size(), 0);
    for (std::size_t i = 1, k = 0; i < pattern.size(); ++i) {
        while (k > 0 && pattern[i] != pattern[k]) k = fail[k - 1];
        if (pattern[i] == pattern[k]) ++k;
        fail[i] = k;
    }
    for (std::size_t i = start, k = 0; i < text.size(); ++i) {
        while (k > 0 && text[i] != pattern[k]) k = fail[k - 1];
        if (text[i] == pattern[k]) ++k;
        if (k == pattern.size()) return static_cast<int>(i + 1 - k);
    }
    return -1;
}

}  // namespace

uint16_t Crc16Modbus(const void* bytes, std::size_t length) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < length; ++i) crc = static_cast<uint16_t>(kCrcTable[(crc ^ p[i]) & 0xFF] ^ (crc >> 8));
    return crc;
}

std::string Hex2(int value) { return Format("%02X", std::clamp(value, 0, 0xFF)); }
std::string Hex4(int value) { return Format("%04X", std::clamp(value, 0, 0xFFFF)); }
std::string Dec2(int value) { return Format("%02d", std::clamp(value, 0, 99)); }

std::string FormatMessage(char letter, const std::vector<std::string>& fields) {
    std::string text;
    text.reserve(8 + 5 * fields.size());
    text += '%';
    text += letter;
    text += ',';
    for (const std::string& f : fields) {
        text += f;
        text += ',';
    }
    text += ChecksumText(text);
    text += '#';
    return text;
}

int FindPattern(std::string_view text, std::string_view pattern, int start) {
    if (text.data() == nullptr || pattern.data() == nullptr || start < 0) return -1;
    const auto from = static_cast<std::size_t>(start);
    if (from + pattern.size() > text.size()) return -1;
    if (pattern.empty()) return start;
    return HasWildcard(pattern) ? FindWithWildcards(text, pattern, from) : FindWithPrefixTable(text, pattern, from);
}

bool CheckFrame(std::string_view frame) {
    if (frame.size() < kMinMessageLength || frame.back() != '#') return false;
    // Digit by digit rather than through ChecksumText: meter reports are
    // checked 100 times a second.
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const uint16_t crc = Crc16Modbus(frame.substr(0, frame.size() - 5));
    const std::string_view text = frame.substr(frame.size() - 5, 4);
    for (int i = 0; i < 4; ++i) {
        if (text[i] != kDigits[(crc >> (12 - 4 * i)) & 0xF]) return false;
    }
    return true;
}

int SplitFrames(std::string& residue, std::string_view datagram, std::vector<std::string>& out) {
    datagram = datagram.substr(0, std::min(datagram.size(), kMaxDatagram));
    datagram = datagram.substr(0, datagram.find('\0'));

    std::string text;
    text.reserve(residue.size() + datagram.size());
    text.append(residue).append(datagram);
    int count = 0;
    std::size_t pos = 0;  // text before pos is consumed
    for (;;) {
        std::size_t s = text.find('%', pos);
        std::size_t e = text.find('#', pos);
        if (s == std::string::npos || e == std::string::npos) break;
        if (e < s) {  // stray text and "#" before the next "%"
            pos = s;
            continue;
        }
        // A "%" inside the candidate means its beginning was broken off; the
        // message can only start at the last "%" before the "#".
        s = text.rfind('%', e);
        const std::size_t length = e - s + 1;
        const std::string_view message(text.data() + s, length);
        if (length <= kMaxMessageLength && CheckFrame(message) && count < static_cast<int>(kMaxMessagesPerCall)) {
            out.emplace_back(message);
            ++count;
        }
        pos = e + 1;
    }
    // What is left can only be the start of a message still to come; keep no
    // more of it than the longest message can need.
    std::size_t keepFrom = pos;
    if (text.size() - keepFrom > kMaxMessageLength) keepFrom = text.size() - kMaxMessageLength;
    residue.assign(text, keepFrom, std::string::npos);
    return count;
}

std::vector<std::string_view> SplitParts(std::string_view message) {
    if (!message.empty() && message.front() == '%') message.remove_prefix(1);
    if (!message.empty() && message.back() == '#') message.remove_suffix(1);
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (parts.size() < kMaxParts) {
        const std::size_t comma = message.find(',', start);
        if (comma == std::string_view::npos) {
            parts.push_back(message.substr(start));
            break;
        }
        parts.push_back(message.substr(start, comma - start));
        start = comma + 1;
    }
    return parts;
}

PackedReader::PackedReader(std::string_view field)
    : field_(field), length_(field.size() + (field.size() % 2)), padded_(field.size() % 2 != 0) {}

int PackedReader::DigitAt(std::size_t virtualPos) const {
    if (padded_) return virtualPos == 0 ? 0 : HexValue(field_[virtualPos - 1]);
    return HexValue(field_[virtualPos]);
}

bool PackedReader::Read(int digits, int& value) {
    if (digits <= 0 || static_cast<std::size_t>(digits) > Remaining()) return false;
    int v = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = DigitAt(pos_ + i);
        if (d < 0) return false;
        v = v * 16 + d;
    }
    pos_ += digits;
    value = v;
    return true;
}

}  // namespace mixer
