// Everything the web remote reads from a browser: the first byte picks the
// reader (a message, a path, a Host header, an Origin against a Host), the
// rest is its text. A message that is taken must be within its ranges, and
// applying it for any role may only change what that role allows, leaving
// the state in range and every command a valid message.
#include "fuzz/fuzz_support.h"
#include "remote/access.h"
#include "remote/client_message.h"
#include "remote/http_rules.h"
#include "remote/remote_edits.h"
#include "remote/state_json.h"

using namespace mixer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const int reader = input.Byte() % 4;
    const int aux = input.Byte() % (remote::kAuxCount + 1);
    const std::string_view text = input.Rest();
    switch (reader) {
    case 0: {
        const remote::ParsedMessage parsed = remote::ParseClientMessage(text);
        FUZZ_CHECK(parsed.message.has_value() == parsed.error.empty());
        if (!parsed.message || parsed.message->kind != remote::MessageKind::Set) break;
        const remote::ClientMessage& m = *parsed.message;
        FUZZ_CHECK(m.value >= 0 && m.value <= kPanMax && m.index >= 0 && m.index < kStripCount);
        if (!remote::Allows(remote::Role{aux}, m)) break;
        MixerState state = fuzz::DefaultState();
        const MixerState before = state;
        StripLinks links;
        links.linked = true;
        links.count = kStripCount;
        for (int i = 0; i < kStripCount; ++i) links.channels[i] = i;
        links.functions.fill(1);
        for (const std::string& command : remote::ApplySet(state, m, links)) FUZZ_CHECK(CheckFrame(command));
        FUZZ_CHECK(fuzz::InRanges(state));
        const ChangeSet changes = DiffStates(before, state);
        if (aux != 0) {
            // A monitor's edit: the state differs from before only in its AUX's sends, level and mute.
            MixerState allowed = before;
            for (int i = 0; i < kStripCount; ++i) allowed.strips[i].auxSend[aux - 1] = state.strips[i].auxSend[aux - 1];
            const int bus = remote::BusOfOutput(aux);
            allowed.buses[bus].level = state.buses[bus].level;
            allowed.buses[bus].mute = state.buses[bus].mute;
            FUZZ_CHECK(fuzz::SameState(allowed, state));
        }
        remote::EncodeChanges(state, remote::Names{}, remote::WithoutEcho(changes, m, state), remote::Role{aux});
        break;
    }
    case 1: {
        const auto file = remote::PageFileForPath(text);
        FUZZ_CHECK(!file || file->resource.starts_with(":/remote/"));
        break;
    }
    case 2: remote::HostAllowed(text); break;
    default: {
        const std::size_t split = text.find('\n');
        if (split == std::string_view::npos) break;
        const bool allowed = remote::OriginAllowed(text.substr(0, split), text.substr(split + 1));
        FUZZ_CHECK(!allowed || remote::HostAllowed(text.substr(split + 1)));
        break;
    }
    }
    return 0;
}
