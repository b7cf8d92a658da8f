#include "system/scene_slots.h"

namespace mixer {

std::string SceneCaption(int id, const std::string& name) { return std::to_string(id) + ":" + name; }

std::optional<int> SceneIdFromCaption(const std::string& caption) {
    const std::size_t colon = caption.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 9) return std::nullopt;
    int id = 0;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = caption[i];
        if (c < '0' || c > '9') return std::nullopt;
        id = id * 10 + (c - '0');
    }
    return id;
}

}  // namespace mixer
