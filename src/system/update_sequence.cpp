#include "system/update_sequence.h"

#include "link/firmware_framing.h"
#include "system/update_record.h"

namespace mixer {

namespace {

class Sequence {
public:
    Sequence(UpdateHost& host, const TransferTiming& timing) : host_(host), timing_(timing), transfer_(host, timing) {}

    UpdateOutcome Failed(UpdateOutcome outcome) const {
        return transfer_.Stopped() || host_.Stopping() ? UpdateOutcome::Stopped : outcome;
    }

    bool QueryVersion(std::string& version) { return transfer_.QueryVersion(version); }

    bool SendFile(const char* name, int target) {
        std::vector<uint8_t> image;
        if (!host_.ReadImage(name, image)) return false;
        return transfer_.SendImage(image, target, [this](int position, int range) { host_.Progress(position, range); });
    }

    // The main board image, the pause between images, the DSP image.
    UpdateOutcome SendBoth(const char* mainBoardFile, const char* dspFile) {
        if (!SendFile(mainBoardFile, kTargetMainBoard)) return Failed(UpdateOutcome::TransferFail);
        if (!host_.Pause(timing_.imageGapMs)) return UpdateOutcome::Stopped;
        if (!SendFile(dspFile, kTargetDsp)) return Failed(UpdateOutcome::TransferFail);
        return UpdateOutcome::Success;
    }

    UpdateHost& host_;
    TransferTiming timing_;
    FirmwareTransfer transfer_;
};

}  // namespace

UpdateOutcome RunLocalUpdate(UpdateHost& host, const TransferTiming& timing, std::string& deviceVersion,
                             const std::string& localVersion) {
    Sequence sequence(host, timing);
    if (!sequence.QueryVersion(deviceVersion)) return sequence.Failed(UpdateOutcome::VersionError);
    // Only shown: the files are sent whatever their version.
    host.ShowVersions(deviceVersion, localVersion, false);
    return sequence.SendBoth(kMainBoardImageFile, kDspImageFile);
}

UpdateOutcome RunRemoteUpdate(UpdateHost& host, const TransferTiming& timing, std::string& deviceVersion,
                              const std::string& pageUrl) {
    Sequence sequence(host, timing);
    if (!sequence.QueryVersion(deviceVersion)) return sequence.Failed(UpdateOutcome::VersionError);
    std::string page;
    if (!host.FetchText(pageUrl, page)) return sequence.Failed(UpdateOutcome::PageFail);
    const std::optional<UpdateRecord> record = ParseUpdateRecord(page);
    if (!record) return UpdateOutcome::PageFail;
    host.ShowVersions(deviceVersion, record->version, true);
    if (!VersionBefore(deviceVersion, record->version)) return UpdateOutcome::Newest;
    // Both files complete before anything goes to the mixer.
    if (!host.Download(record->dspUrl, kDownloadedDspFile) || !host.Download(record->mainUrl, kDownloadedMainBoardFile))
        return sequence.Failed(UpdateOutcome::DownloadFail);
    if (!host.Pause(timing.downloadPauseMs)) return UpdateOutcome::Stopped;
    return sequence.SendBoth(kDownloadedMainBoardFile, kDownloadedDspFile);
}

}  // namespace mixer
