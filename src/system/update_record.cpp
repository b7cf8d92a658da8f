#include "system/update_record.h"

#include <algorithm>

namespace mixer {

namespace {

constexpr std::string_view kRecordStart = "##$$";
constexpr std::string_view kRecordEnd = "$$##";
constexpr std::string_view kSeparator = "%%%%";
// Markers closer than this (start to start) leave no room for a record.
constexpr std::size_t kLeastMarkerDistance = 7;
constexpr std::size_t kMaxVersionDigits = 9;

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char c) {
        return p == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    });
}

// Only the web: a page must not make the program read a local file and send it to the mixer.
bool IsWebAddress(std::string_view url) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (StartsWithNoCase(url, scheme) && url.size() > scheme.size()) return true;
    }
    return false;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
    while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
    return digits;
}

}  // namespace

bool IsVersionText(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<UpdateRecord> ParseUpdateRecord(std::string_view page) {
    const std::size_t p = page.find(kRecordStart);
    const std::size_t q = page.find(kRecordEnd);
    if (p == std::string_view::npos || q == std::string_view::npos || q < p + kLeastMarkerDistance) return std::nullopt;
    const std::string_view record = page.substr(p + kRecordStart.size(), q - p - kRecordStart.size());
    const std::size_t k = record.find(kSeparator);
    if (k == std::string_view::npos) return std::nullopt;
    const std::string_view rest = record.substr(k + kSeparator.size());
    const std::size_t k2 = rest.find(kSeparator);
    if (k2 == std::string_view::npos) return std::nullopt;

    UpdateRecord result{std::string(Trimmed(record.substr(0, k))), std::string(Trimmed(rest.substr(0, k2))),
                        std::string(Trimmed(rest.substr(k2 + kSeparator.size())))};
    if (!IsWebAddress(result.dspUrl) || !IsWebAddress(result.mainUrl)) return std::nullopt;
    if (!IsVersionText(result.version) || result.version.size() > kMaxVersionDigits) return std::nullopt;
    return result;
}

bool VersionBefore(std::string_view device, std::string_view published) {
    const std::string_view a = WithoutLeadingZeros(device);
    const std::string_view b = WithoutLeadingZeros(published);
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

}  // namespace mixer
