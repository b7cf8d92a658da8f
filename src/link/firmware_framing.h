#pragma once
// Framing of a firmware image on its way to the mixer: the header "S", data
// blocks "T" of 1024 bytes written as hex and cut into 128-byte datagrams,
// and the mixer's verification report "U". The image travels as its bytes
// followed by their CRC-16 (high byte first), padded with zeros to whole
// blocks; the header announces the length and block count of the bytes alone.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mixer {

inline constexpr std::size_t kFirmwareBlockSize = 1024;
inline constexpr std::size_t kFirmwarePieceSize = 128;
inline constexpr std::size_t kFirmwareMaxLength = 0xFFFFF;  // five hex digits in the header
inline constexpr int kTargetDsp = 0;
inline constexpr int kTargetMainBoard = 1;

// Blocks of the image bytes alone, as the header announces them.
int AnnouncedBlockCount(std::size_t length);

// The blocks that carry the image and its checksum.
std::vector<std::vector<uint8_t>> FirmwareBlocks(std::span<const uint8_t> image);

std::string BuildTransferHeader(int target, std::size_t length);
std::string BuildTransferBlock(int target, int index, std::span<const uint8_t> block);

// The message in datagrams of exactly 128 bytes, the last filled up with
// zero bytes.
std::vector<std::string> CutIntoPieces(std::string_view message);

struct TransferHeader {
    int target = 0;
    int blocks = 0;
    std::size_t length = 0;
};

// Reads a checked "S" header; false for another letter, a malformed field, a
// target other than 0 and 1, a length beyond five hex digits, or a block
// count that does not match the length.
bool ParseTransferHeader(std::string_view message, TransferHeader& header);

struct TransferBlock {
    int target = 0;
    int index = 0;
    std::vector<uint8_t> bytes;  // always 1024
};

// Reads a checked "T" block; false unless it carries exactly 1024 bytes.
bool ParseTransferBlock(std::string_view message, TransferBlock& block);

// The mixer's verdict on a received image: status 00 accepted, 01 not.
std::string BuildVerificationReport(bool accepted);

// Finds "%U" in text and reads the two decimal digits 6 and 7 places after
// its "%"; false when there is no such report.
bool ReadVerificationStatus(std::string_view text, int& status);

}  // namespace mixer
