#pragma once
// The editor's side of a firmware transfer and of the version request on the
// update socket, as sequential steps over a small port: the program's port
// is a UDP socket on a worker thread, a test's port a scripted mixer with a
// clock of its own. The pauses and reply waits are the protocol's; a test may
// shorten them.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace mixer {

struct TransferTiming {
    int drainPauseMs = 200;           // between datagrams drained before a header
    int headerPauseMs = 10;           // after the header
    int blockPauseMs = 50;            // after the pieces of a block
    int verifyPauseMs = 10;           // before waiting for the verification report
    int replyPollMs = 10;             // between tries for a first reply ...
    int replyPolls = 800;             // ... this many after the first: about 8 s
    int collectPauseMs = 20;          // between receives while a reply comes in
    int collectRetryMs = 50;          // between tries when it pauses ...
    int headerCollectRetries = 100;   // ... this many for the header's reply
    int verifyCollectRetries = 400;   // ... and for the verification report
    int versionPauseMs = 200;         // after the version request
    int versionPollMs = 100;          // between tries for its first reply ...
    int versionPolls = 50;            // ... this many after the first
    int versionCollectPauseMs = 100;  // between receives of the reply
    int imageGapMs = 2000;            // between the main board image and the DSP image
    int downloadPauseMs = 1000;       // between the downloads and the first image
};

class TransferPort {
public:
    virtual ~TransferPort() = default;
    // One datagram to the mixer.
    virtual void Send(std::string_view datagram) = 0;
    // Takes the next datagram that has come in, at most maxBytes of it (the
    // rest of that datagram is lost); false when none is waiting.
    virtual bool Receive(std::size_t maxBytes, std::string& datagram) = 0;
    // Waits ms milliseconds; false when the transfer is to end now.
    virtual bool Pause(int ms) = 0;
};

class FirmwareTransfer {
public:
    // position of range blocks sent
    using Progress = std::function<void(int position, int range)>;

    FirmwareTransfer(TransferPort& port, const TransferTiming& timing) : port_(port), timing_(timing) {}

    // Announces an image; true once the mixer has acknowledged with "%S".
    bool SendHeader(int target, std::size_t length);
    // One 1024-byte block in 128-byte datagrams; true when "%Y" came back.
    bool SendBlock(int target, int index, std::span<const uint8_t> block);
    // True when the mixer reports the image accepted (status 00).
    bool AwaitVerification();
    // Header, every block (a block that is not acknowledged does not stop
    // the transfer), verification. An empty image, or one longer than the
    // header can announce, is refused before anything is sent.
    bool SendImage(std::span<const uint8_t> image, int target, const Progress& progress);
    // Asks for the state reply and reads the version from it; version is
    // left as it was when the reply carries an empty one.
    bool QueryVersion(std::string& version);

    // A pause was cut short: the transfer is to end without a word.
    bool Stopped() const { return stopped_; }

private:
    bool Pause(int ms);
    bool AwaitFirstReply(std::size_t maxBytes, int pollMs, int polls, std::string& reply);
    // Receives until marker is in text or text is full, pausing between receives.
    void CollectUntil(std::string& text, std::size_t capacity, std::string_view marker, int retries);

    TransferPort& port_;
    TransferTiming timing_;
    bool stopped_ = false;
    std::string lastBlockReply_;
};

}  // namespace mixer
