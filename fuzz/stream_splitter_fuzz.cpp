// The stream splitter fed one datagram after another: whatever arrives, it
// hands out only whole, checksum-valid messages and keeps a bounded residue.
#include <vector>

#include "fuzz/fuzz_support.h"

using namespace mixer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    fuzz::ChunkSizes sizes(input.Byte());
    std::string residue;
    while (!input.Empty()) {
        const std::string_view datagram = input.Take(sizes.Next());
        std::vector<std::string> out{"kept"};
        const int count = SplitFrames(residue, datagram, out);
        FUZZ_CHECK(count >= 0 && static_cast<std::size_t>(count) <= kMaxMessagesPerCall);
        FUZZ_CHECK(out.size() == static_cast<std::size_t>(count) + 1 && out.front() == "kept");
        FUZZ_CHECK(residue.size() <= kMaxMessageLength);
        for (std::size_t i = 1; i < out.size(); ++i) {
            FUZZ_CHECK(CheckFrame(out[i]));
            FUZZ_CHECK(out[i].front() == '%' && out[i].size() <= kMaxMessageLength);
        }
    }
    return 0;
}
