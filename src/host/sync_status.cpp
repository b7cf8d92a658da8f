#include "host/sync_status.h"

#include <charconv>
#include <cmath>

namespace mixer {

SyncMark MarkOf(const SyncStatus& status, bool online) {
    if (!online || status.periodMs <= 0 || !status.report.checked) return SyncMark::None;
    return status.report.taken > 0 || status.report.resent > 0 ? SyncMark::Mended : SyncMark::InStep;
}

std::string SyncText(const SyncStatus& status, int language) {
    const bool english = language == 1;
    if (status.periodMs <= 0) return english ? "Not compared with the mixer (resync is off)" : "不与调音台核对（同步已关闭）";
    const SyncReport& r = status.report;
    if (!r.checked || status.sinceMs < 0) return english ? "Not compared with the mixer yet" : "尚未与调音台核对";
    const std::string taken = std::to_string(r.taken);
    const std::string resent = std::to_string(r.resent);
    std::string text;
    const auto add = [&](const std::string& part) { text += (text.empty() ? "" : english ? ", " : "，") + part; };
    if (r.taken > 0) {
        add(english ? taken + (r.taken == 1 ? " value" : " values") + " taken from the mixer"
                    : "从调音台取得 " + taken + " 个值");
    }
    if (r.resent > 0) {
        add(english ? resent + (r.resent == 1 ? " lost edit" : " lost edits") + " sent again"
                    : "重新发送 " + resent + " 个丢失的修改");
    }
    if (text.empty()) text = english ? "In step" : "与调音台一致";
    const std::string seconds = std::to_string(status.sinceMs / 1000);
    return text + (english ? ", checked " + seconds + " s ago" : "，" + seconds + " 秒前核对");
}

std::optional<int> ResyncMsFromText(const std::string& text) {
    double seconds = 0;
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, seconds);
    if (text.empty() || ec != std::errc() || p != end || !std::isfinite(seconds)) return std::nullopt;
    const long long ms = std::llround(seconds * 1000);
    if (ms == 0) return 0;
    if (ms < kLeastResyncMs || ms > kMostResyncMs) return std::nullopt;
    return static_cast<int>(ms);
}

std::string ResyncText(int ms) {
    if (ms % 1000 == 0) return std::to_string(ms / 1000);
    std::string text = std::to_string(ms / 1000) + "." + std::to_string(1000 + ms % 1000).substr(1);
    while (text.back() == '0') text.pop_back();
    return text;
}

}  // namespace mixer
