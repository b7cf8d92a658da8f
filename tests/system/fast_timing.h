#pragma once
// The transfer's pauses cut to a few milliseconds and its waits for a reply
// that never comes to about a second, so that a lost acknowledgement or a
// silent mixer costs a test little, while a loaded machine still has time to
// answer.

#include "system/firmware_transfer.h"

namespace mixer::testing {

inline TransferTiming FastTiming() {
    TransferTiming t;
    t.drainPauseMs = 5;
    t.headerPauseMs = 1;
    t.blockPauseMs = 2;
    t.verifyPauseMs = 1;
    t.replyPollMs = 2;
    t.replyPolls = 500;
    t.collectPauseMs = 5;
    t.collectRetryMs = 5;
    t.headerCollectRetries = 20;
    t.verifyCollectRetries = 40;
    t.versionPauseMs = 5;
    t.versionPollMs = 5;
    t.versionPolls = 200;
    t.versionCollectPauseMs = 5;
    t.imageGapMs = 10;
    t.downloadPauseMs = 5;
    return t;
}

}  // namespace mixer::testing
