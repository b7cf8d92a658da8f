#pragma once
// The captions of the SHOW tab's scene buttons ("3:Live") and the scene ID a
// caption names: the number before its first ":".

#include <optional>
#include <string>

namespace mixer {

// Scene IDs run from 1 to this.
inline constexpr int kMaxScenes = 32;

std::string SceneCaption(int id, const std::string& name);
// Nothing for a caption without ":" or without a plain decimal number before it.
std::optional<int> SceneIdFromCaption(const std::string& caption);

}  // namespace mixer
