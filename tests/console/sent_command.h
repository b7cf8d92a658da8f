#pragma once
// Reads back the commands a test saw sent, field by field.

#include <string>
#include <vector>

namespace mixer::testing {

// A sent command as letter, protocol index and the value fields after it:
// "%A,01,1B,00,46,xxxx#" gives {'A', 27, {0, 70}}.
struct SentCommand {
    char letter = 0;
    int code = -1;
    std::vector<int> values;
    bool operator==(const SentCommand&) const = default;
};

inline SentCommand ReadCommand(const std::string& message) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : message.substr(3)) {
        if (c == ',') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    SentCommand out;
    out.letter = message.size() > 1 ? message[1] : 0;
    // fields: unit, index, values..., then the checksum after the last comma
    if (fields.size() >= 2) out.code = std::stoi(fields[1], nullptr, 16);
    // The send point selector's field is decimal, the others hex; both read
    // alike for the values 0..9 it takes.
    for (std::size_t k = 2; k < fields.size(); ++k) out.values.push_back(std::stoi(fields[k], nullptr, 16));
    return out;
}

inline std::vector<SentCommand> ReadCommands(const std::vector<std::string>& messages) {
    std::vector<SentCommand> out;
    for (const std::string& m : messages) out.push_back(ReadCommand(m));
    return out;
}

}  // namespace mixer::testing
