// The frame check, the part splitter, the pattern search and the packed-field
// reader on any text: parts lie inside the message, readers never run past
// their field.
#include <vector>

#include "fuzz/fuzz_support.h"

using namespace mixer;

namespace {

void CheckParts(std::string_view message) {
    const std::vector<std::string_view> parts = SplitParts(message);
    FUZZ_CHECK(parts.size() <= kMaxParts);
    for (std::string_view part : parts) {
        FUZZ_CHECK(part.empty() || (part.data() >= message.data() &&
                                    part.data() + part.size() <= message.data() + message.size()));
        PackedReader reader(part);
        static constexpr int kDigits[] = {1, 2, 4, 2, 4, 1};
        for (int step = 0; reader.Remaining() > 0 && step < 64; ++step) {
            const int digits = kDigits[step % 6];
            const std::size_t before = reader.Remaining();
            int value = -1;
            if (reader.Read(digits, value)) {
                FUZZ_CHECK(value >= 0 && value < (1 << (4 * digits)));
                FUZZ_CHECK(reader.Remaining() == before - digits);
            } else {
                FUZZ_CHECK(reader.Remaining() == before);
                break;
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::string_view pattern = input.Take(input.Byte() % 8);
    const int start = static_cast<int8_t>(input.Byte());
    const std::string_view text = input.Rest();

    const int found = FindPattern(text, pattern, start);
    FUZZ_CHECK(found == -1 || (found >= start && static_cast<std::size_t>(found) + pattern.size() <= text.size()));

    if (CheckFrame(text))
        FUZZ_CHECK(text.size() >= kMinMessageLength && text.back() == '#');
    CheckParts(text);

    const std::string sealed = fuzz::Resealed(text);
    FUZZ_CHECK(sealed.size() < kMinMessageLength || CheckFrame(sealed));
    CheckParts(sealed);
    return 0;
}
