#pragma once
// Framing of the mixer protocol: "%", a letter, ",", fields each followed by
// ",", four upper-case hex digits of CRC-16/MODBUS, "#".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mixer {

inline constexpr std::size_t kMaxDatagram = 128;       // bytes read per datagram
inline constexpr std::size_t kMaxMessageLength = 3200; // "%" … "#" inclusive
inline constexpr std::size_t kMaxMessagesPerCall = 128;
inline constexpr std::size_t kMaxParts = 64;
inline constexpr std::size_t kMinMessageLength = 9;

uint16_t Crc16Modbus(const void* bytes, std::size_t length);
inline uint16_t Crc16Modbus(std::string_view text) { return Crc16Modbus(text.data(), text.size()); }

// Field formatting. A value outside the field's width is clamped to it, so a
// field never grows and shifts the rest of the message.
std::string Hex2(int value);
std::string Hex4(int value);
std::string Dec2(int value);

// "%" + letter + "," + each field + "," + checksum + "#".
std::string FormatMessage(char letter, const std::vector<std::string>& fields);

// Index of the first match of pattern in text at or after start ('?' matches
// any character), or -1. A text or pattern whose data() is null counts as
// missing and gives -1, as do a negative start and start + pattern length
// beyond the text; an empty pattern gives start.
int FindPattern(std::string_view text, std::string_view pattern, int start);

// True when frame is at least 9 characters and ends in the "%04X" checksum
// of everything before it, followed by "#".
bool CheckFrame(std::string_view frame);

// Cuts complete, checksum-valid messages out of residue + datagram. The
// datagram is read up to its first NUL and at most 128 bytes. residue keeps
// the unfinished tail, never more than the longest message. At most 128
// messages are appended to out; the count is returned.
int SplitFrames(std::string& residue, std::string_view datagram, std::vector<std::string>& out);

// The comma-separated parts of a message without its "%" and "#": part 0 is
// the letter, part 1 the unit field, the last the checksum. At most 64.
std::vector<std::string_view> SplitParts(std::string_view message);

// Reads a packed field: values of 1, 2 or 4 hex digits written back to back.
// An odd-length field reads as if a "0" stood in front; lower case is read
// like upper case.
class PackedReader {
public:
    explicit PackedReader(std::string_view field);

    // Digits not yet read.
    std::size_t Remaining() const { return length_ - pos_; }
    // Reads the next value of the given digit count; false when there are not
    // enough digits or one is not hexadecimal (nothing is consumed then).
    bool Read(int digits, int& value);

private:
    int DigitAt(std::size_t virtualPos) const;

    std::string_view field_;
    std::size_t length_;  // field length including the virtual leading "0"
    bool padded_;
    std::size_t pos_ = 0;
};

}  // namespace mixer
