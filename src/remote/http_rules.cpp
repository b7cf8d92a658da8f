#include "remote/http_rules.h"

#include <array>
#include <charconv>

#include "link/dotted_ipv4.h"

namespace mixer::remote {

std::optional<PageFile> PageFileForPath(std::string_view path) {
    static constexpr std::array<std::pair<std::string_view, PageFile>, 4> kFiles = {{
        {"/", {":/remote/index.html", "text/html; charset=utf-8"}},
        {"/index.html", {":/remote/index.html", "text/html; charset=utf-8"}},
        {"/app.js", {":/remote/app.js", "text/javascript; charset=utf-8"}},
        {"/style.css", {":/remote/style.css", "text/css; charset=utf-8"}},
    }};
    if (path.size() > kMaxPathBytes) return std::nullopt;
    for (const auto& [name, file] : kFiles) {
        if (name == path) return file;
    }
    return std::nullopt;
}

bool HostAllowed(std::string_view host) {
    if (host.empty() || host.size() > kMaxHostBytes) return false;
    std::string_view name = host;
    if (const auto colon = host.rfind(':'); colon != std::string_view::npos) {
        const std::string_view port = host.substr(colon + 1);
        int number = 0;
        const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), number);
        if (port.empty() || ec != std::errc() || end != port.data() + port.size() || number < 1 || number > 65535) return false;
        name = host.substr(0, colon);
    }
    return name == "localhost" || IsDottedIpv4(name);
}

bool OriginAllowed(std::string_view origin, std::string_view host) {
    constexpr std::string_view kScheme = "http://";
    return HostAllowed(host) && origin.size() == kScheme.size() + host.size() && origin.starts_with(kScheme) &&
           origin.substr(kScheme.size()) == host;
}

const std::vector<std::pair<std::string_view, std::string_view>>& SecurityHeaders() {
    static const std::vector<std::pair<std::string_view, std::string_view>> headers = {
        {"Content-Security-Policy",
         "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:; connect-src 'self'; "
         "base-uri 'none'; form-action 'none'; frame-ancestors 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"X-Frame-Options", "DENY"},
        {"Referrer-Policy", "no-referrer"},
        {"Cross-Origin-Opener-Policy", "same-origin"},
        {"Cross-Origin-Resource-Policy", "same-origin"},
        {"Permissions-Policy", "camera=(), microphone=(), geolocation=()"},
        {"Cache-Control", "no-store"},
    };
    return headers;
}

}  // namespace mixer::remote
