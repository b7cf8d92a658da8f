#include "system/firmware_transfer.h"

#include <algorithm>
#include <vector>

#include "link/firmware_framing.h"
#include "link/wire_format.h"
#include "system/version_reply.h"

namespace mixer {

namespace {

// Bytes read per datagram and kept per reply, as the mixer's replies need.
constexpr std::size_t kAckDatagramBytes = 64;
constexpr std::size_t kHeaderReplyCapacity = 256;
constexpr std::size_t kBlockReplyCapacity = 512;
constexpr std::size_t kVersionDatagramBytes = 128;
constexpr std::size_t kVersionReplyCapacity = 3120;
constexpr std::string_view kVersionRequest = "%Z,01,F143#";

void Append(std::string& text, std::string_view data, std::size_t capacity) {
    if (text.size() < capacity) text.append(data.substr(0, capacity - text.size()));
}

bool Holds(std::string_view text, std::string_view marker) { return FindPattern(text, marker, 0) >= 0; }

}  // namespace

bool FirmwareTransfer::Pause(int ms) {
    if (!stopped_ && !port_.Pause(ms)) stopped_ = true;
    return !stopped_;
}

bool FirmwareTransfer::AwaitFirstReply(std::size_t maxBytes, int pollMs, int polls, std::string& reply) {
    for (int tries = 0;; ++tries) {
        if (port_.Receive(maxBytes, reply)) return true;
        if (tries >= polls || !Pause(pollMs)) return false;
    }
}

void FirmwareTransfer::CollectUntil(std::string& text, std::size_t capacity, std::string_view marker, int retries) {
    std::string datagram;
    int misses = 0;
    while (!Holds(text, marker) && text.size() < capacity) {
        if (!Pause(timing_.collectPauseMs)) return;
        bool got = port_.Receive(kAckDatagramBytes, datagram);
        while (!got && misses < retries) {
            ++misses;
            if (!Pause(timing_.collectRetryMs)) return;
            got = port_.Receive(kAckDatagramBytes, datagram);
        }
        if (!got) return;
        Append(text, datagram, capacity);
    }
}

bool FirmwareTransfer::SendHeader(int target, std::size_t length) {
    const std::string header = BuildTransferHeader(target, length);
    // Whatever is still on its way from earlier is not this header's answer.
    std::string datagram;
    while (port_.Receive(kAckDatagramBytes, datagram)) {
        if (!Pause(timing_.drainPauseMs)) return false;
    }
    port_.Send(header);
    if (!Pause(timing_.headerPauseMs)) return false;
    std::string reply;
    if (!AwaitFirstReply(kAckDatagramBytes, timing_.replyPollMs, timing_.replyPolls, datagram)) return false;
    Append(reply, datagram, kHeaderReplyCapacity);
    CollectUntil(reply, kHeaderReplyCapacity, "%S", timing_.headerCollectRetries);
    return !stopped_ && Holds(reply, "%S");
}

bool FirmwareTransfer::SendBlock(int target, int index, std::span<const uint8_t> block) {
    lastBlockReply_.clear();
    for (const std::string& piece : CutIntoPieces(BuildTransferBlock(target, index, block))) port_.Send(piece);
    if (!Pause(timing_.blockPauseMs)) return false;
    std::string datagram;
    if (!AwaitFirstReply(kAckDatagramBytes, timing_.replyPollMs, timing_.replyPolls, datagram)) return false;
    Append(lastBlockReply_, datagram, kBlockReplyCapacity);
    while (lastBlockReply_.size() < kBlockReplyCapacity && Pause(timing_.collectPauseMs) &&
           port_.Receive(kAckDatagramBytes, datagram))
        Append(lastBlockReply_, datagram, kBlockReplyCapacity);
    return !stopped_ && Holds(lastBlockReply_, "%Y");
}

bool FirmwareTransfer::AwaitVerification() {
    int status = -1;
    // A mixer that reports at once sends its verdict right behind the last
    // block's acknowledgement, where that block's reply has already taken it.
    if (ReadVerificationStatus(lastBlockReply_, status)) return status == 0;
    if (!Pause(timing_.verifyPauseMs)) return false;
    std::string datagram;
    if (!AwaitFirstReply(kAckDatagramBytes, timing_.replyPollMs, timing_.replyPolls, datagram)) return false;
    std::string report;
    Append(report, datagram, kBlockReplyCapacity);
    CollectUntil(report, kBlockReplyCapacity, "%U", timing_.verifyCollectRetries);
    return !stopped_ && ReadVerificationStatus(report, status) && status == 0;
}

bool FirmwareTransfer::SendImage(std::span<const uint8_t> image, int target, const Progress& progress) {
    if (image.empty() || image.size() > kFirmwareMaxLength) return false;
    const int range = AnnouncedBlockCount(image.size());
    if (progress) progress(0, range);
    if (!SendHeader(target, image.size())) return false;
    const std::vector<std::vector<uint8_t>> blocks = FirmwareBlocks(image);
    for (std::size_t index = 0; index < blocks.size(); ++index) {
        SendBlock(target, static_cast<int>(index), blocks[index]);
        if (stopped_) return false;
        if (progress) progress(std::min(static_cast<int>(index) + 1, range), range);
    }
    return AwaitVerification();
}

bool FirmwareTransfer::QueryVersion(std::string& version) {
    port_.Send(kVersionRequest);
    if (!Pause(timing_.versionPauseMs)) return false;
    std::string datagram;
    if (!AwaitFirstReply(kVersionDatagramBytes, timing_.versionPollMs, timing_.versionPolls, datagram)) return false;
    std::string reply;
    Append(reply, datagram, kVersionReplyCapacity);
    while (reply.size() < kVersionReplyCapacity && Pause(timing_.versionCollectPauseMs) &&
           port_.Receive(kVersionDatagramBytes, datagram))
        Append(reply, datagram, kVersionReplyCapacity);
    return !stopped_ && ReadReplyVersion(reply, version);
}

}  // namespace mixer
