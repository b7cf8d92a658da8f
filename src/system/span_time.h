#pragma once
// The span time as typed on the system page.

#include <string_view>

namespace mixer {

// The text read as C's atoi reads it: blanks, an optional sign, then decimal
// digits up to the first other character; text without digits gives 0.
// Unlike atoi a number beyond the range of int is held at the range's end
// instead of being undefined.
int ParseSpanTime(std::string_view text);

}  // namespace mixer
