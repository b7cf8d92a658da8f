#include "sim/line_splitter.h"

#include <algorithm>
#include <utility>

namespace mixer {

void LineSplitter::Feed(std::string_view bytes, std::vector<std::string>& lines) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        const std::size_t room = maxLength_ + 1 - std::min(partial_.size(), maxLength_ + 1);
        partial_.append(piece.substr(0, std::min(piece.size(), room)));
        if (end == std::string_view::npos) return;
        lines.push_back(std::exchange(partial_, {}));
        bytes.remove_prefix(end + 1);
    }
}

std::optional<std::string> LineSplitter::Finish() {
    if (partial_.empty()) return std::nullopt;
    return std::exchange(partial_, {});
}

}  // namespace mixer
