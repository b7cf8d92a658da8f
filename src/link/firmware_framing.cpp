#include "link/firmware_framing.h"

#include <algorithm>
#include <cstdio>

#include "link/wire_format.h"

namespace mixer {

namespace {

std::string HexAtLeast(std::size_t value, int width) {
    char text[24];
    std::snprintf(text, sizeof text, "%0*zX", width, value);
    return text;
}

// A field of hex (or decimal) digits, at most 8, into value.
bool ReadNumber(std::string_view text, int base, std::size_t& value) {
    if (text.empty() || text.size() > 8) return false;
    value = 0;
    for (char c : text) {
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        if (d < 0) return false;
        value = value * base + d;
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The fields of a checked message with the given letter: unit first.
bool FieldsOf(std::string_view message, char letter, std::vector<std::string_view>& fields) {
    if (!CheckFrame(message) || message.front() != '%') return false;
    std::vector<std::string_view> parts = SplitParts(message);
    if (parts.size() < 3 || parts[0] != std::string_view(&letter, 1)) return false;
    fields.assign(parts.begin() + 1, parts.end() - 1);
    return true;
}

bool ReadTarget(std::string_view text, int& target) {
    std::size_t value = 0;
    if (!ReadNumber(text, 10, value) || (value != kTargetDsp && value != kTargetMainBoard)) return false;
    target = static_cast<int>(value);
    return true;
}

}  // namespace

int AnnouncedBlockCount(std::size_t length) {
    return static_cast<int>((length + kFirmwareBlockSize - 1) / kFirmwareBlockSize);
}

std::vector<std::vector<uint8_t>> FirmwareBlocks(std::span<const uint8_t> image) {
    const uint16_t crc = Crc16Modbus(image.data(), image.size());
    std::vector<uint8_t> bytes(image.begin(), image.end());
    bytes.push_back(static_cast<uint8_t>(crc >> 8));
    bytes.push_back(static_cast<uint8_t>(crc & 0xFF));
    std::vector<std::vector<uint8_t>> blocks;
    for (std::size_t at = 0; at < bytes.size(); at += kFirmwareBlockSize) {
        std::vector<uint8_t> block(kFirmwareBlockSize, 0);
        const std::size_t n = std::min(kFirmwareBlockSize, bytes.size() - at);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), n, block.begin());
        blocks.push_back(std::move(block));
    }
    return blocks;
}

std::string BuildTransferHeader(int target, std::size_t length) {
    return FormatMessage('S', {"01", std::to_string(target), HexAtLeast(AnnouncedBlockCount(length), 2),
                               HexAtLeast(length, 5)});
}

std::string BuildTransferBlock(int target, int index, std::span<const uint8_t> block) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string data;
    data.reserve(block.size() * 2);
    for (uint8_t b : block) {
        data += kDigits[b >> 4];
        data += kDigits[b & 0x0F];
    }
    return FormatMessage('T', {"01", std::to_string(target), HexAtLeast(static_cast<std::size_t>(index), 2), data});
}

std::vector<std::string> CutIntoPieces(std::string_view message) {
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < message.size(); at += kFirmwarePieceSize) {
        std::string piece(message.substr(at, kFirmwarePieceSize));
        piece.resize(kFirmwarePieceSize, '\0');
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

bool ParseTransferHeader(std::string_view message, TransferHeader& header) {
    std::vector<std::string_view> f;
    if (!FieldsOf(message, 'S', f) || f.size() != 4) return false;
    TransferHeader h;
    std::size_t blocks = 0;
    if (!ReadTarget(f[1], h.target) || !ReadNumber(f[2], 16, blocks) || !ReadNumber(f[3], 16, h.length)) return false;
    if (h.length > kFirmwareMaxLength || blocks != static_cast<std::size_t>(AnnouncedBlockCount(h.length))) return false;
    h.blocks = static_cast<int>(blocks);
    header = h;
    return true;
}

bool ParseTransferBlock(std::string_view message, TransferBlock& block) {
    std::vector<std::string_view> f;
    if (!FieldsOf(message, 'T', f) || f.size() != 4 || f[3].size() != 2 * kFirmwareBlockSize) return false;
    TransferBlock b;
    std::size_t index = 0;
    if (!ReadTarget(f[1], b.target) || !ReadNumber(f[2], 16, index) || index > kFirmwareMaxLength) return false;
    b.index = static_cast<int>(index);
    b.bytes.resize(kFirmwareBlockSize);
    for (std::size_t i = 0; i < kFirmwareBlockSize; ++i) {
        const int hi = HexDigit(f[3][2 * i]);
        const int lo = HexDigit(f[3][2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        b.bytes[i] = static_cast<uint8_t>(hi * 16 + lo);
    }
    block = std::move(b);
    return true;
}

std::string BuildVerificationReport(bool accepted) { return FormatMessage('U', {"01", accepted ? "00" : "01"}); }

bool ReadVerificationStatus(std::string_view text, int& status) {
    const int at = FindPattern(text, "%U", 0);
    if (at < 0 || static_cast<std::size_t>(at) + 8 > text.size()) return false;
    const char hi = text[at + 6];
    const char lo = text[at + 7];
    if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return false;
    status = (hi - '0') * 10 + (lo - '0');
    return true;
}

}  // namespace mixer
