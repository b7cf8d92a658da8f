#pragma once
// Whether the editor and the mixer agree, as the window shows it beside the
// connection status, and the resynchronisation period the user chose.

#include <optional>
#include <string>

#include "model/resync_ledger.h"

namespace mixer {

inline constexpr int kDefaultResyncMs = 5000;
inline constexpr int kLeastResyncMs = 100;
inline constexpr int kMostResyncMs = 3600 * 1000;

struct SyncStatus {
    int periodMs = 0;        // zero: the editor does not ask
    SyncReport report;       // what the last judged reply found
    long long sinceMs = -1;  // since that reply; negative before the first
};

// How the mark beside the status is drawn.
enum class SyncMark { None, InStep, Mended };
SyncMark MarkOf(const SyncStatus& status, bool online);

// The mark's tooltip in language 1 (English) or 2 (Chinese), for example
// "In step, checked 2 s ago" or "3 values taken from the mixer, checked 2 s ago".
std::string SyncText(const SyncStatus& status, int language);

// A period in seconds as the user types it ("5", "2.5", "0" for off) in
// milliseconds: 0, or 0.1 s to an hour; none for anything else.
std::optional<int> ResyncMsFromText(const std::string& text);
// The period as it is shown in the field and kept in the profile.
std::string ResyncText(int ms);

}  // namespace mixer
