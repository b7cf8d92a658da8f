#pragma once
// The two firmware updates as sequences over a host that gives them the
// update socket, the files of the data directory and the web:
// LOCAL sends the two image files that lie beside the program; UPDATE reads
// the update page, and when the mixer's firmware is older than the one
// published there, downloads both images and sends them.

#include <cstdint>
#include <string>
#include <vector>

#include "system/firmware_transfer.h"

namespace mixer {

inline constexpr char kMainBoardImageFile[] = "Quorvane.bin";
inline constexpr char kDspImageFile[] = "LSBF_DSP21489.bin";
inline constexpr char kDownloadedDspFile[] = "upate1.bin";
inline constexpr char kDownloadedMainBoardFile[] = "upate2.bin";

class UpdateHost : public TransferPort {
public:
    // The bytes of a file in the data directory; false when it cannot be read.
    virtual bool ReadImage(const std::string& name, std::vector<uint8_t>& bytes) = 0;
    // The body of a web page; false on any failure.
    virtual bool FetchText(const std::string& url, std::string& text) = 0;
    // Downloads into a file of the data directory, which is replaced only by
    // a complete download; false on any failure.
    virtual bool Download(const std::string& url, const std::string& name) = 0;
    // The update is to end without a word (the window closes).
    virtual bool Stopping() const = 0;

    virtual void Progress(int position, int range) = 0;
    // The mixer's version, and the version offered: the local files' or the published one.
    virtual void ShowVersions(const std::string& device, const std::string& offered, bool remote) = 0;
};

enum class UpdateOutcome {
    Success,       // both images accepted
    VersionError,  // no version reply
    TransferFail,  // an image missing, refused or not confirmed
    PageFail,      // the update page unreachable or without a record
    DownloadFail,  // an image could not be downloaded; nothing was sent
    Newest,        // the mixer has the published version or a newer one
    SocketError,   // the update socket could not be bound
    Stopped,       // ended by the program; nothing to say
};

// deviceVersion: the version known before asking, kept when the mixer's reply carries none.
UpdateOutcome RunLocalUpdate(UpdateHost& host, const TransferTiming& timing, std::string& deviceVersion,
                             const std::string& localVersion);
UpdateOutcome RunRemoteUpdate(UpdateHost& host, const TransferTiming& timing, std::string& deviceVersion,
                              const std::string& pageUrl);

}  // namespace mixer
