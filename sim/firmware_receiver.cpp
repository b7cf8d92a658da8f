#include "sim/firmware_receiver.h"

#include <algorithm>

#include "link/wire_format.h"

namespace mixer {

FirmwareAnswer FirmwareReceiver::OnMessage(std::string_view message) {
    if (message.size() < 2) return {};
    if (message[1] == 'T') return OnBlock(message);
    TransferHeader header;
    if (message[1] != 'S' || !ParseTransferHeader(message, header)) return {};
    // A new header starts over, whatever came before.
    header_ = header;
    const std::size_t blocks = (header.length + 2 + kFirmwareBlockSize - 1) / kFirmwareBlockSize;
    // The buffer grows with the blocks that arrive: a header alone, whatever
    // length it announces, costs nothing.
    data_.clear();
    arrived_.assign(blocks, false);
    missing_ = blocks;
    active_ = true;
    return {{FormatMessage('S', {"01", "00"})}};
}

FirmwareAnswer FirmwareReceiver::OnBlock(std::string_view message) {
    TransferBlock block;
    if (!active_ || !ParseTransferBlock(message, block) || block.target != header_.target ||
        static_cast<std::size_t>(block.index) >= arrived_.size())
        return {};
    const std::size_t end = (static_cast<std::size_t>(block.index) + 1) * kFirmwareBlockSize;
    if (data_.size() < end) data_.resize(end, 0);
    std::copy(block.bytes.begin(), block.bytes.end(),
              data_.begin() + static_cast<std::ptrdiff_t>(end - kFirmwareBlockSize));
    if (!arrived_[block.index]) {
        arrived_[block.index] = true;
        --missing_;
    }
    FirmwareAnswer answer{{FormatMessage('Y', {"01", block.index <= 0xFF ? Hex2(block.index) : Hex4(block.index)})}};
    if (missing_ == 0) {
        Finish();
        answer.replies.push_back(BuildVerificationReport(last_->accepted));
        answer.imageComplete = true;
    }
    return answer;
}

void FirmwareReceiver::Finish() {
    // Every block is in, the last one too, so the buffer covers the bytes and
    // their checksum.
    ReceivedImage image;
    image.target = header_.target;
    image.bytes.assign(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(header_.length));
    image.checksum = static_cast<uint16_t>(data_[header_.length] << 8 | data_[header_.length + 1]);
    image.accepted = Crc16Modbus(image.bytes.data(), image.bytes.size()) == image.checksum;
    last_ = std::move(image);
    active_ = false;
    data_.clear();
    arrived_.clear();
}

}  // namespace mixer
