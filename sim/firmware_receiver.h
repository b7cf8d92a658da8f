#pragma once
// The mixer's side of a firmware transfer: acknowledges the header "S",
// collects the blocks "T", acknowledges each with "Y", and once the announced
// bytes and their two checksum bytes are in, reports with "U" whether the
// checksum matched.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/firmware_framing.h"

namespace mixer {

struct ReceivedImage {
    int target = 0;
    std::vector<uint8_t> bytes;
    uint16_t checksum = 0;  // as sent behind the bytes
    bool accepted = false;  // the checksum matched the bytes
};

struct FirmwareAnswer {
    std::vector<std::string> replies;
    bool imageComplete = false;  // LastImage() holds the image just finished
};

class FirmwareReceiver {
public:
    // Handles one checked message; the replies are none for a message that
    // is not part of a transfer or does not fit the one under way.
    FirmwareAnswer OnMessage(std::string_view message);

    bool InTransfer() const { return active_; }
    const std::optional<ReceivedImage>& LastImage() const { return last_; }

private:
    FirmwareAnswer OnBlock(std::string_view message);
    void Finish();

    bool active_ = false;
    TransferHeader header_;
    std::vector<uint8_t> data_;   // announced bytes, checksum, padding
    std::vector<bool> arrived_;   // per block
    std::size_t missing_ = 0;
    std::optional<ReceivedImage> last_;
};

}  // namespace mixer
