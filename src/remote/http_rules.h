#pragma once
// What the server answers over plain HTTP and whom it lets in: the three
// files of the page, the headers every answer carries, and the checks on
// the Host and Origin headers a browser sends.

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace mixer::remote {

inline constexpr std::string_view kLivePath = "/live";
inline constexpr std::size_t kMaxPathBytes = 64;
inline constexpr std::size_t kMaxHostBytes = 64;

struct PageFile {
    std::string_view resource;     // in the program's resources
    std::string_view contentType;
};

// The file for a request path (query and fragment already removed), or
// nothing: only the page's own files are served.
std::optional<PageFile> PageFileForPath(std::string_view path);

// A Host header the page may be served under: a dotted IPv4 address or
// "localhost", with an optional port. Names are refused, so that a foreign
// site that points its own name at this computer (DNS rebinding) is not
// served.
bool HostAllowed(std::string_view host);

// A WebSocket's origin must be the page's own: "http://" and the host the
// browser asked for.
bool OriginAllowed(std::string_view origin, std::string_view host);

// Headers of every answer: no framing, no sniffing, no referrer, nothing
// loaded from anywhere but this server, and nothing cached.
const std::vector<std::pair<std::string_view, std::string_view>>& SecurityHeaders();

}  // namespace mixer::remote
