// Any path and arguments, as liblo hands them over, against any control-group
// links: what is taken reads back as the same address, the state stays in
// range, only a value changes it, every command is a valid message, and the
// value of the address can be read.
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "osc/osc_dispatch.h"

using namespace mixer;

namespace {

constexpr char kTypes[] = "ifdhTFsSNb";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    StripLinks links;
    const uint8_t functions = input.Byte();
    links.linked = functions != 0;
    for (int f = 0; f < kLinkFunctionCount; ++f) links.functions[f] = (functions >> f) & 1;
    links.count = static_cast<int8_t>(input.Byte());
    for (int& channel : links.channels) channel = static_cast<int8_t>(input.Byte());

    std::vector<OscArg> args(input.Byte() % 4);
    for (OscArg& arg : args) {
        arg.type = kTypes[input.Byte() % (sizeof kTypes - 1)];
        const std::string_view bytes = input.Take(sizeof arg.number);
        std::memcpy(&arg.number, bytes.data(), bytes.size());
        arg.text = input.Take(input.Byte() % 16);
    }
    const int activeMuteGroup = static_cast<int8_t>(input.Byte());
    const std::string_view path = input.Rest();

    const auto request = ReadOscRequest(path, args);
    if (!request) return 0;
    FUZZ_CHECK(ParseOscPath(OscPath(request->address)) == request->address);
    MixerState state = fuzz::DefaultState();
    const MixerState before = state;
    const Commands commands = ApplyOscEdit(state, *request, links);
    FUZZ_CHECK(fuzz::InRanges(state));
    if (!request->value) FUZZ_CHECK(fuzz::SameState(state, before) && commands.empty());
    for (const std::string& command : commands) FUZZ_CHECK(CheckFrame(command));
    OscValueOf(state, request->address, activeMuteGroup);
    return 0;
}
