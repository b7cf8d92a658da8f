#pragma once
// OSC datagrams as liblo reads and writes them: the editor parses none itself.

#include <optional>
#include <string>
#include <vector>

#include "osc/osc_dispatch.h"

namespace mixer {

struct OscMessage {
    std::string path;
    std::vector<OscArg> args;
};

// The message a datagram holds; nothing for anything liblo does not read as
// one well-formed message (a bundle among them).
std::optional<OscMessage> DecodeOscMessage(const char* data, std::size_t size);

// The datagram of one message carrying `values` in order.
std::string EncodeOscMessage(const std::string& path, const std::vector<OscValue>& values);

}  // namespace mixer
