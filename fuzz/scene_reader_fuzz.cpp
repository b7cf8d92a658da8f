// The scene file reader: whatever a file holds, the state read from it has
// every value in its range and every name terminated, the version text is at
// most 15 bytes, and reading it back after a save changes nothing. Inputs
// shorter than a scene are repeated to a scene's length, so that every input
// reaches the reader.
#include "fuzz/fuzz_support.h"
#include "system/scene_image.h"

using namespace mixer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    SceneBytes image;
    for (std::size_t i = 0; i < kSceneSize; ++i) image[i] = data[i % size];

    const MixerState state = SceneState(image);
    FUZZ_CHECK(fuzz::InRanges(state));
    for (const StripRecord& s : state.strips) FUZZ_CHECK(s.name[kNameSize - 1] == '\0');
    for (const BusRecord& b : state.buses) FUZZ_CHECK(b.name[kNameSize - 1] == '\0');
    const SceneLinkFields link = SceneLink(image);
    FUZZ_CHECK(link.version.size() < kSceneVersionSize);

    SceneBytes saved = image;
    StoreScene(saved, state, link);
    FUZZ_CHECK(fuzz::SameState(SceneState(saved), state));
    FUZZ_CHECK(SceneLink(saved) == link);
    return 0;
}
