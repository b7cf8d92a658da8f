// LOCAL and UPDATE from the version request to the last image, against a
// scripted mixer, files and pages.
#include <gtest/gtest.h>

#include "system/scripted_mixer.h"
#include "system/update_record.h"
#include "system/update_sequence.h"

using namespace mixer;
using mixer::testing::ScriptedMixer;

namespace {

constexpr char kPage[] = "http://127.0.0.1/update.txt";
constexpr char kDspUrl[] = "http://127.0.0.1/dsp.bin";
constexpr char kMainUrl[] = "http://127.0.0.1/main.bin";

std::vector<uint8_t> Bytes(std::size_t length, uint8_t seed) { return std::vector<uint8_t>(length, seed); }

std::string PageFor(const std::string& version) {
    return "<html>news\r\n##$$ " + std::string(kDspUrl) + "%%%%" + kMainUrl + "%%%%" + version + "\r\n$$##</html>";
}

class Updates : public ::testing::Test {
protected:
    ScriptedMixer mixer;
    TransferTiming timing;
    std::string deviceVersion;

    UpdateOutcome Local() { return RunLocalUpdate(mixer, timing, deviceVersion, "12"); }
    UpdateOutcome Remote() { return RunRemoteUpdate(mixer, timing, deviceVersion, kPage); }

    void Publish(const std::string& version) {
        mixer.pages[kPage] = PageFor(version);
        mixer.downloads[kDspUrl] = Bytes(1500, 0xD5);
        mixer.downloads[kMainUrl] = Bytes(2100, 0x3A);
    }
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

TEST_F(Updates, LocalStopsAtTheFirstImageThatFails) {
    mixer.files[kDspImageFile] = Bytes(900, 2);
    EXPECT_EQ(Local(), UpdateOutcome::TransferFail);
    // The missing main board file: no header, and the DSP image stays unsent.
    EXPECT_EQ(mixer.Count('S'), 0);
    EXPECT_EQ(mixer.Count('T'), 0);

    mixer.files[kMainBoardImageFile] = Bytes(2100, 1);
    mixer.refuseImages = true;
    EXPECT_EQ(Local(), UpdateOutcome::TransferFail);
    EXPECT_EQ(mixer.Count('S'), 1);
}

TEST_F(Updates, WithoutAVersionNothingElseHappens) {
    mixer.answerVersion = false;
    mixer.files[kMainBoardImageFile] = Bytes(10, 1);
    EXPECT_EQ(Local(), UpdateOutcome::VersionError);
    Publish("99");
    EXPECT_EQ(Remote(), UpdateOutcome::VersionError);
    EXPECT_TRUE(mixer.fetched.empty());
    EXPECT_EQ(mixer.Count('S'), 0);
}

TEST_F(Updates, RemoteDownloadsAndSendsANewerVersion) {
    mixer.versionReply = BuildStateReply(MixerState{}, "9");
    Publish("12");
    ASSERT_EQ(Remote(), UpdateOutcome::Success);
    EXPECT_EQ(mixer.fetched, (std::vector<std::string>{kPage, kDspUrl, kMainUrl}));
    ASSERT_EQ(mixer.images.size(), 2u);
    EXPECT_EQ(mixer.images[0].target, kTargetMainBoard);
    EXPECT_EQ(mixer.images[0].bytes, mixer.downloads[kMainUrl]);
    EXPECT_EQ(mixer.images[1].bytes, mixer.downloads[kDspUrl]);
    EXPECT_EQ(mixer.shown, std::vector<std::string>{"9/12/remote"});
}

TEST_F(Updates, RemoteComparesVersionsAsNumbers) {
    mixer.versionReply = BuildStateReply(MixerState{}, "12");
    Publish("9");
    EXPECT_EQ(Remote(), UpdateOutcome::Newest);
    Publish("12");
    EXPECT_EQ(Remote(), UpdateOutcome::Newest);
    EXPECT_EQ(mixer.fetched, (std::vector<std::string>{kPage, kPage}));
    EXPECT_EQ(mixer.Count('S'), 0);
}

TEST_F(Updates, RemoteSendsNothingWhenThePageOrADownloadFails) {
    mixer.versionReply = BuildStateReply(MixerState{}, "10");
    EXPECT_EQ(Remote(), UpdateOutcome::PageFail);
    mixer.pages[kPage] = "##$$ab$$##";
    EXPECT_EQ(Remote(), UpdateOutcome::PageFail);

    Publish("11");
    mixer.downloads.erase(kMainUrl);
    mixer.files[kDownloadedMainBoardFile] = Bytes(100, 9);  // an old download stays unsent
    EXPECT_EQ(Remote(), UpdateOutcome::DownloadFail);
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
