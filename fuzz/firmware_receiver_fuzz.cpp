// The simulated mixer's firmware receiver fed a sequence of headers, blocks,
// whole transfers and resealed raw messages: every reply is a valid message,
// and a finished image is accepted exactly when its checksum matches.
#include <span>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "sim/firmware_receiver.h"

using namespace mixer;

namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

void Deliver(FirmwareReceiver& receiver, std::string_view message) {
    const FirmwareAnswer answer = receiver.OnMessage(message);
    for (const std::string& reply : answer.replies)
        FUZZ_CHECK(CheckFrame(reply));
    if (answer.imageComplete) {
        FUZZ_CHECK(receiver.LastImage().has_value());
        const ReceivedImage& image = *receiver.LastImage();
        FUZZ_CHECK(image.bytes.size() <= kFirmwareMaxLength);
        FUZZ_CHECK(image.accepted == (Crc16Modbus(image.bytes.data(), image.bytes.size()) == image.checksum));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    FirmwareReceiver receiver;
    while (!input.Empty()) {
        const uint8_t op = input.Byte();
        const int target = op >> 6;  // 0..3: two valid targets, two not
        switch (op % 4) {
        case 0: {  // a header for any length
            const std::size_t length = input.Byte() << 16 | input.Byte() << 8 | input.Byte();
            Deliver(receiver, BuildTransferHeader(target, length));
            break;
        }
        case 1: {  // one block of any index and size
            const int index = static_cast<int8_t>(input.Byte());
            const std::size_t count = (input.Byte() << 8 | input.Byte()) % (kFirmwareBlockSize + 8);
            const std::string_view bytes = input.Take(count);
            Deliver(receiver, BuildTransferBlock(target, index, Bytes(bytes)));
            break;
        }
        case 2: {  // a whole, well-formed transfer
            const std::size_t count = (input.Byte() << 8 | input.Byte()) % (3 * kFirmwareBlockSize);
            const std::string_view image = input.Take(count);
            Deliver(receiver, BuildTransferHeader(target, image.size()));
            int index = 0;
            for (const std::vector<uint8_t>& block : FirmwareBlocks(Bytes(image)))
                Deliver(receiver, BuildTransferBlock(target, index++, block));
            break;
        }
        default: {  // any message with a valid checksum
            const std::string_view text = input.Take(input.Byte() * 4);
            Deliver(receiver, fuzz::Resealed(text));
            break;
        }
        }
    }
    return 0;
}
