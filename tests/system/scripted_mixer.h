#pragma once
// A mixer on a clock of its own for the transfer's sequences: what the editor
// sends goes through the stream splitter into the simulator's firmware
// receiver, the replies come back after a latency, and a test can lose a
// block's acknowledgement, refuse the image or answer nothing at all.

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "link/firmware_framing.h"
#include "link/mixer_state.h"
#include "link/state_reply.h"
#include "link/wire_format.h"
#include "sim/firmware_receiver.h"
#include "system/update_sequence.h"

namespace mixer::testing {

class ScriptedMixer : public UpdateHost {
public:
    // What the mixer does.
    int latencyMs = 1;
    int reportDelayMs = 0;            // the verdict comes this much after the last "Y"
    std::set<int> lostAcks;           // block indices whose "Y" never comes
    bool refuseImages = false;        // verification status 01
    bool answerHeaders = true;
    bool answerVersion = true;
    std::string versionReply = BuildStateReply(MixerState{}, "12");
    long stopAtMs = -1;               // the host stops from this time on ...
    int stopAfterImages = -1;         // ... or once this many images are in

    // What the host has.
    std::map<std::string, std::vector<uint8_t>> files;
    std::map<std::string, std::string> pages;     // url -> body; nothing can be downloaded

    // What happened.
    long nowMs = 0;
    std::vector<std::string> messages;   // every whole message the editor sent
    std::vector<ReceivedImage> images;   // in order of arrival
    std::vector<std::string> fetched;    // urls, pages and downloads alike
    std::vector<std::pair<int, int>> progress;
    std::vector<std::string> shown;      // "device/offered/remote"

    void Send(std::string_view datagram) override {
        std::vector<std::string> out;
        SplitFrames(residue_, datagram, out);
        for (const std::string& message : out) Handle(message);
    }

    bool Receive(std::size_t maxBytes, std::string& datagram) override {
        if (inbox_.empty() || inbox_.front().first > nowMs) return false;
        datagram = inbox_.front().second.substr(0, maxBytes);
        inbox_.pop_front();
        return true;
    }

    bool Pause(int ms) override {
        if (Stopping()) return false;
        nowMs += ms;
        return true;
    }

    bool ReadImage(const std::string& name, std::vector<uint8_t>& bytes) override {
        const auto file = files.find(name);
        if (file == files.end()) return false;
        bytes = file->second;
        return true;
    }

    bool FetchText(const std::string& url, std::string& text) override {
        fetched.push_back(url);
        const auto page = pages.find(url);
        if (page == pages.end()) return false;
        text = page->second;
        return true;
    }

    bool Download(const std::string& url, const std::string&) override {
        fetched.push_back(url);
        return false;
    }

    bool Stopping() const override {
        return (stopAtMs >= 0 && nowMs >= stopAtMs) ||
               (stopAfterImages >= 0 && static_cast<int>(images.size()) >= stopAfterImages);
    }
    void Progress(int position, int range) override { progress.emplace_back(position, range); }
    void ShowVersions(const std::string& device, const std::string& offered, bool remote) override {
        shown.push_back(device + "/" + offered + (remote ? "/remote" : "/local"));
    }

    // A datagram that arrives by itself, before anything is sent.
    void Arrives(const std::string& datagram) { inbox_.emplace_back(nowMs, datagram); }

    int Count(char letter) const {
        int n = 0;
        for (const std::string& m : messages) n += m[1] == letter;
        return n;
    }

private:
    void Reply(const std::string& message, int delayMs = 0) {
        for (std::size_t at = 0; at < message.size(); at += kMaxDatagram)
            inbox_.emplace_back(nowMs + latencyMs + delayMs, message.substr(at, kMaxDatagram));
    }

    void Handle(const std::string& message) {
        messages.push_back(message);
        if (message[1] == 'Z') {
            if (answerVersion) Reply(versionReply);
            return;
        }
        if (message[1] == 'S' && !answerHeaders) return;
        const FirmwareAnswer answer = receiver_.OnMessage(message);
        TransferBlock block;
        const bool isBlock = ParseTransferBlock(message, block);
        for (const std::string& reply : answer.replies) {
            if (reply[1] == 'Y' && isBlock && lostAcks.contains(block.index)) continue;
            if (reply[1] == 'U') Reply(BuildVerificationReport(!refuseImages), reportDelayMs);
            else Reply(reply);
        }
        if (answer.imageComplete) images.push_back(*receiver_.LastImage());
    }

    FirmwareReceiver receiver_;
    std::string residue_;
    std::deque<std::pair<long, std::string>> inbox_;
};

}  // namespace mixer::testing
