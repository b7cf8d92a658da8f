#include <gtest/gtest.h>

#include <cstring>

#include "link/reset_defaults.h"
#include "system/scene_image.h"
#include "system/scene_slots.h"

using namespace mixer;

namespace {

// A state in range that differs from the defaults in every record.
MixerState VariedState() {
    MixerState state{};
    ResetDefaults(state);
    SetDefaultNames(state, 1);
    for (int i = 0; i < kStripCount; ++i) {
        state.strips[i].level = i * 3;
        state.strips[i].pan = 10 + i;
        state.strips[i].peqBands[2].gain2 = 100 + i;
    }
    for (int j = 0; j < kBusCount; ++j) {
        state.buses[j].geqBands[30].gain2 = 200 + j;
        state.buses[j].busMode = 1 + j % 3;
    }
    SetName(state.strips[4].name, "Kick");
    SetName(state.buses[7].name, "Monitor");
    return state;
}

SceneLinkFields SomeLink() {
    SceneLinkFields link;
    link.version = "12";
    link.connected = true;
    link.connecting = true;
    link.retryCount = 0x01020304;
    link.lastProbe = {2026, 12, 3, 9, 4, 5, 6, 789};
    link.lastHeard = {2026, 12, 3, 9, 4, 5, 7, 1};
    return link;
}

std::string TextAt(const SceneBytes& image, std::size_t at) { return reinterpret_cast<const char*>(image.data() + at); }

TEST(SceneImage, PutsTheRecordsAndLinkFieldsAtTheirOffsets) {
    SceneBytes image{};
    StoreScene(image, VariedState(), SomeLink());

    EXPECT_EQ(TextAt(image, 4 + 468), "CH 1");
    EXPECT_EQ(TextAt(image, 4 + 488 * 4 + 468), "Kick");
    EXPECT_EQ(TextAt(image, 4 + 488 * 17 + 468), "Reverb");
    EXPECT_EQ(TextAt(image, 9764 + 812), "MAIN");
    EXPECT_EQ(TextAt(image, 9764 + 832 * 7 + 812), "Monitor");
    EXPECT_EQ(image[4 + 488 * 5 + 304], 15);  // level of CH 6
    EXPECT_EQ(image[9764 + 832 * 7 + 828], 7);  // index of AUX 6
    EXPECT_EQ(TextAt(image, 17520), "12");
    EXPECT_EQ(image[17536], 1);
    EXPECT_EQ(image[17540], 0x04);
    EXPECT_EQ(image[17543], 0x01);
    EXPECT_EQ(image[17544], 1);
    EXPECT_EQ(image[17546], 2026 & 0xFF);
    EXPECT_EQ(image[17547], 2026 >> 8);
    EXPECT_EQ(image[17546 + 14], 789 & 0xFF);
    EXPECT_EQ(image[17562 + 12], 7);  // second of the last-heard time
}

TEST(SceneImage, RoundTripGivesTheStateAndLinkBackBitForBit) {
    const MixerState state = VariedState();
    SceneBytes image{};
    StoreScene(image, state, SomeLink());
    const MixerState back = SceneState(image);
    EXPECT_EQ(std::memcmp(&back, &state, sizeof state), 0);
    EXPECT_EQ(SceneLink(image), SomeLink());

    SceneBytes again = image;
    StoreScene(again, back, SceneLink(image));
    EXPECT_EQ(again, image);
}

TEST(SceneImage, KeepsTheCarriedRegionsAndReservedBytesAsHeld) {
    SceneBytes image;
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
    const SceneBytes held = image;
    StoreScene(image, VariedState(), SomeLink());
    auto same = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            if (image[i] != held[i]) return false;
        return true;
    };
    EXPECT_TRUE(same(0, 4));
    EXPECT_TRUE(same(8788, 9764));
    EXPECT_TRUE(same(16420, 17520));
    EXPECT_TRUE(same(17537, 17540));
    EXPECT_TRUE(same(17545, 17546));
    EXPECT_TRUE(same(17578, 17580));
}

TEST(SceneImage, VersionIsCutAndZeroFilled) {
    SceneBytes image;
    image.fill(0xEE);
    SceneLinkFields link;
    link.version = "0123456789ABCDEFGHIJ";
    StoreScene(image, VariedState(), link);
    EXPECT_EQ(TextAt(image, 17520), "0123456789ABCDE");
    EXPECT_EQ(image[17535], 0);
    EXPECT_EQ(SceneLink(image).version, "0123456789ABCDE");
}

TEST(SceneImage, AHostileFileGivesValuesInRangeAndTerminatedNames) {
    for (uint8_t fill : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0x80}, uint8_t{0xFF}}) {
        SceneBytes image;
        image.fill(fill);
        const MixerState state = SceneState(image);
        MixerState clamped = state;
        ClampToRanges(clamped);
        EXPECT_EQ(std::memcmp(&clamped, &state, sizeof state), 0) << int(fill);
        for (const StripRecord& s : state.strips) EXPECT_EQ(s.name[kNameSize - 1], '\0');
        for (const BusRecord& b : state.buses) EXPECT_EQ(b.name[kNameSize - 1], '\0');
        EXPECT_LE(SceneLink(image).version.size(), 15u);
    }
}

TEST(SceneSlots, CaptionsAndTheIdsTheyName) {
    EXPECT_EQ(SceneCaption(3, "Live"), "3:Live");
    EXPECT_EQ(SceneIdFromCaption("3:Live"), 3);
    EXPECT_EQ(SceneIdFromCaption("12:a:b"), 12);
    EXPECT_EQ(SceneIdFromCaption("SAVE1"), std::nullopt);
    EXPECT_EQ(SceneIdFromCaption(":x"), std::nullopt);
    EXPECT_EQ(SceneIdFromCaption("x3:y"), std::nullopt);
    EXPECT_EQ(SceneIdFromCaption("99999999999:y"), std::nullopt);
}

}  // namespace
