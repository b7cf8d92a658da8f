// LOCAL and UPDATE from the version request on, against a scripted mixer
// whose clock the pauses move: the order of the images, the pause between
// them, the versions shown, and what a missing version or a stop leaves out.
// The update page's cases run on the wire, against a local web server.
#include <gtest/gtest.h>

#include "system/scripted_mixer.h"
#include "system/update_record.h"
#include "system/update_sequence.h"

using namespace mixer;
using mixer::testing::ScriptedMixer;

namespace {

constexpr char kPage[] = "http://127.0.0.1/update.txt";

std::vector<uint8_t> Bytes(std::size_t length, uint8_t seed) { return std::vector<uint8_t>(length, seed); }

class Updates : public ::testing::Test {
protected:
    ScriptedMixer mixer;
    TransferTiming timing;
    std::string deviceVersion;

    UpdateOutcome Local() { return RunLocalUpdate(mixer, timing, deviceVersion, "12"); }
    UpdateOutcome Remote() { return RunRemoteUpdate(mixer, timing, deviceVersion, kPage); }
};

TEST_F(Updates, LocalSendsTheMainBoardImageThenAfterAPauseTheDspImage) {
    mixer.files[kMainBoardImageFile] = Bytes(2100, 1);
    mixer.files[kDspImageFile] = Bytes(900, 2);
    ASSERT_EQ(Local(), UpdateOutcome::Success);
    ASSERT_EQ(mixer.images.size(), 2u);
    EXPECT_EQ(mixer.images[0].target, kTargetMainBoard);
    EXPECT_EQ(mixer.images[0].bytes, mixer.files[kMainBoardImageFile]);
    EXPECT_EQ(mixer.images[1].target, kTargetDsp);
    EXPECT_EQ(mixer.images[1].bytes, mixer.files[kDspImageFile]);
    EXPECT_EQ(deviceVersion, "12");
    EXPECT_EQ(mixer.shown, std::vector<std::string>{"12/12/local"});
    EXPECT_GE(mixer.nowMs, timing.imageGapMs);
}

TEST_F(Updates, WithoutAVersionNothingElseHappens) {
    mixer.answerVersion = false;
    mixer.files[kMainBoardImageFile] = Bytes(10, 1);
    EXPECT_EQ(Local(), UpdateOutcome::VersionError);
    mixer.pages[kPage] = "##$$http://a/1%%%%http://b/2%%%%99$$##";
    EXPECT_EQ(Remote(), UpdateOutcome::VersionError);
    EXPECT_TRUE(mixer.fetched.empty());
    EXPECT_EQ(mixer.Count('S'), 0);
}

TEST_F(Updates, AStopEndsAnUpdateWithoutAVerdict) {
    mixer.files[kMainBoardImageFile] = Bytes(2100, 1);
    mixer.files[kDspImageFile] = Bytes(900, 2);
    mixer.stopAfterImages = 1;
    EXPECT_EQ(Local(), UpdateOutcome::Stopped);
    EXPECT_EQ(mixer.images.size(), 1u);
}

TEST(UpdateRecord, ReadsTheThreePartsBetweenTheMarkers) {
    const auto record = ParseUpdateRecord("x##$$http://a/1.bin%%%%https://b/2.bin%%%%12$$##y$$##");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->dspUrl, "http://a/1.bin");
    EXPECT_EQ(record->mainUrl, "https://b/2.bin");
    EXPECT_EQ(record->version, "12");
    // As a page written by hand has it: a line of its own, blanks around the parts.
    const auto spaced = ParseUpdateRecord("<p>\r\n##$$ HTTP://a/1 \t%%%%\nhttp://b/2%%%% 09\r\n$$##</p>");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->dspUrl, "HTTP://a/1");
    EXPECT_EQ(spaced->mainUrl, "http://b/2");
    EXPECT_EQ(spaced->version, "09");
}

TEST(UpdateRecord, RefusesPagesWithoutAWholeRecord) {
    for (const char* page : {"", "http://a/1%%%%http://b/2%%%%12", "##$$http://a/1%%%%http://b/2%%%%12",
                             "$$##http://a/1%%%%http://b/2%%%%12##$$", "##$$ab$$##", "##$$abc$$##",
                             "##$$http://a/1 http://b/2 12$$##", "##$$http://a/1%%%%http://b/2$$##",
                             "##$$file:///etc/passwd%%%%http://b/2%%%%12$$##", "##$$http://a/1%%%%http://b/2%%%%1.2$$##",
                             "##$$http://a/1%%%%http://b/2%%%%$$##", "##$$http://a/1%%%%http://b/2%%%%1234567890$$##"})
        EXPECT_FALSE(ParseUpdateRecord(page)) << page;
}

TEST(UpdateRecord, VersionsCompareAsNumbers) {
    EXPECT_TRUE(VersionBefore("9", "12"));
    EXPECT_FALSE(VersionBefore("12", "9"));
    EXPECT_FALSE(VersionBefore("12", "12"));
    EXPECT_FALSE(VersionBefore("012", "12"));
    EXPECT_TRUE(VersionBefore("", "01"));
    EXPECT_TRUE(VersionBefore("99", "100"));
}

}  // namespace
