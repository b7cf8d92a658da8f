// The resync period as the user types it, and the mark beside the status
// with its tooltip in both languages.

#include "host/sync_status.h"

#include <gtest/gtest.h>

using namespace mixer;

namespace {

TEST(SyncStatus, PeriodsAreSecondsFromATenthToAnHourOrZero) {
    const struct {
        const char* text;
        std::optional<int> ms;
    } cases[] = {{"5", 5000}, {"2.5", 2500}, {"0", 0}, {"0.1", 100}, {"3600", 3600000}, {"0.05", std::nullopt},
                 {"3601", std::nullopt}, {"-1", std::nullopt}, {"", std::nullopt}, {"5s", std::nullopt},
                 {"nan", std::nullopt}, {"1e9", std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(ResyncMsFromText(c.text), c.ms) << c.text;
        if (c.ms) {
            EXPECT_EQ(ResyncMsFromText(ResyncText(*c.ms)), c.ms) << c.text;
        }
    }
    EXPECT_EQ(ResyncText(2500), "2.5");
    EXPECT_EQ(ResyncText(5000), "5");
}

TEST(SyncStatus, TheMarkAndItsTooltipTellWhatTheLastComparisonFound) {
    const struct {
        SyncStatus status;
        bool online;
        SyncMark mark;
        const char* english;
        const char* chinese;
    } cases[] = {
        {{5000, {true, 0, 0, 1}, 2400}, true, SyncMark::InStep, "In step, checked 2 s ago", "与调音台一致，2 秒前核对"},
        {{5000, {true, 3, 0, 0}, 900}, true, SyncMark::Mended, "3 values taken from the mixer, checked 0 s ago",
         "从调音台取得 3 个值，0 秒前核对"},
        {{5000, {true, 1, 1, 0}, 4000}, true, SyncMark::Mended,
         "1 value taken from the mixer, 1 lost edit sent again, checked 4 s ago",
         "从调音台取得 1 个值，重新发送 1 个丢失的修改，4 秒前核对"},
        {{5000, {true, 0, 0, 0}, 0}, false, SyncMark::None, "In step, checked 0 s ago", "与调音台一致，0 秒前核对"},
        {{5000, {}, -1}, true, SyncMark::None, "Not compared with the mixer yet", "尚未与调音台核对"},
        {{0, {true, 0, 0, 0}, 100}, true, SyncMark::None, "Not compared with the mixer (resync is off)",
         "不与调音台核对（同步已关闭）"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MarkOf(c.status, c.online), c.mark) << c.english;
        EXPECT_EQ(SyncText(c.status, 1), c.english);
        EXPECT_EQ(SyncText(c.status, 2), c.chinese);
    }
}

}  // namespace
