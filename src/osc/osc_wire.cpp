#include "osc/osc_wire.h"

#include <lo/lo.h>

#include <cstdlib>
#include <memory>

namespace mixer {

namespace {

using MessagePtr = std::unique_ptr<std::remove_pointer_t<lo_message>, decltype(&lo_message_free)>;

OscArg ArgOf(char type, const lo_arg* a) {
    OscArg arg;
    arg.type = type;
    switch (type) {
    case LO_INT32: arg.number = a->i; break;
    case LO_INT64: arg.number = static_cast<double>(a->h); break;
    case LO_FLOAT: arg.number = a->f; break;
    case LO_DOUBLE: arg.number = a->d; break;
    case LO_TRUE: arg.number = 1; break;
    case LO_FALSE: arg.number = 0; break;
    case LO_STRING: arg.text = &a->s; break;
    case LO_SYMBOL: arg.text = &a->S; break;
    default: break;
    }
    return arg;
}

}  // namespace

std::optional<OscMessage> DecodeOscMessage(const char* data, std::size_t size) {
    // liblo takes the bytes as writable; it reads a copy of its own.
    std::string bytes(data, size);
    int result = 0;
    const MessagePtr message(lo_message_deserialise(bytes.data(), bytes.size(), &result), &lo_message_free);
    if (!message) return std::nullopt;
    OscMessage out;
    out.path = lo_get_path(bytes.data(), static_cast<ssize_t>(bytes.size()));
    const char* types = lo_message_get_types(message.get());
    lo_arg** argv = lo_message_get_argv(message.get());
    const int argc = lo_message_get_argc(message.get());
    for (int k = 0; k < argc; ++k) out.args.push_back(ArgOf(types[k], argv[k]));
    return out;
}

std::string EncodeOscMessage(const std::string& path, const std::vector<OscValue>& values) {
    const MessagePtr message(lo_message_new(), &lo_message_free);
    for (const OscValue& value : values) {
        if (const int* i = std::get_if<int>(&value)) lo_message_add_int32(message.get(), *i);
        else if (const float* f = std::get_if<float>(&value)) lo_message_add_float(message.get(), *f);
        else lo_message_add_string(message.get(), std::get<std::string>(value).c_str());
    }
    std::size_t size = 0;
    void* bytes = lo_message_serialise(message.get(), path.c_str(), nullptr, &size);
    if (!bytes) return {};
    std::string out(static_cast<const char*>(bytes), size);
    std::free(bytes);
    return out;
}

}  // namespace mixer
