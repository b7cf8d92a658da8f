#pragma once
// Cuts text that arrives in pieces (a pipe, a terminal, a file read in
// chunks) into lines. However long a line runs, no more of it is kept than
// shows it is too long.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mixer {

class LineSplitter {
public:
    // Lines longer than maxLength come out cut to maxLength + 1 characters.
    explicit LineSplitter(std::size_t maxLength) : maxLength_(maxLength) {}

    // Appends each line that bytes complete to lines, without its "\n".
    void Feed(std::string_view bytes, std::vector<std::string>& lines);
    // The last line, when the text ended without a "\n" after it.
    std::optional<std::string> Finish();

private:
    std::size_t maxLength_;
    std::string partial_;
};

}  // namespace mixer
