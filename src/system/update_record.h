#pragma once
// The update page names the newest firmware: between the first "##$$" and the
// first "$$##" it holds the DSP image's address, "%%%%", the main board
// image's address, "%%%%" and the published version (decimal digits, tenths).

#include <optional>
#include <string>
#include <string_view>

namespace mixer {

struct UpdateRecord {
    std::string dspUrl;
    std::string mainUrl;
    std::string version;
};

// The record of an update page, or nothing when a marker is missing, the
// markers stand fewer than three characters apart, a "%%%%" is missing, an
// address is not an http or https address, or the version is not 1 to 9
// decimal digits. Blanks around the parts are dropped.
std::optional<UpdateRecord> ParseUpdateRecord(std::string_view page);

// Decimal digits only (an empty text is not a version).
bool IsVersionText(std::string_view text);

// Whether the mixer's version is older than the published one, compared as
// numbers: "9" is before "12", "12" is not before "12". An empty version
// counts as 0.
bool VersionBefore(std::string_view device, std::string_view published);

}  // namespace mixer
