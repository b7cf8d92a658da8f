#include "host/page_request.h"

#include <array>
#include <charconv>
#include <utility>

#include "host/console_modes.h"

namespace mixer {

namespace {

struct PageName {
    const char* name;
    PageRequest::View view;
    int detail;  // the module of a detail view, or the console mode
    int count;   // how many channels or outputs N may name; 0: takes no N
};

constexpr int kInputs = 18;
constexpr int kOutputs = 8;

constexpr std::array kPages = {
    PageName{"peq", PageRequest::View::InputDetail, kModulePeq, kInputs},
    PageName{"dynamics", PageRequest::View::InputDetail, kModuleGateComp, kInputs},
    PageName{"sends", PageRequest::View::InputDetail, kModuleSends, kInputs},
    PageName{"geq", PageRequest::View::OutputDetail, kModuleGeq, kOutputs},
    PageName{"limiter", PageRequest::View::OutputDetail, kModuleLimiter, kOutputs},
    PageName{"system", PageRequest::View::Console, kModeSystem, 0},
    PageName{"mute-groups", PageRequest::View::Console, kModeMuteGroups, 0},
    PageName{"view-groups", PageRequest::View::Console, kModeViewGroups, 0},
    PageName{"control-groups", PageRequest::View::Console, kModeControlGroups, 0},
    PageName{"phantom", PageRequest::View::Console, kModePhantom, 0},
};

// The effect page belongs to the effect returns; it opens on the delay return.
constexpr int kEffectChannel = 16;

constexpr std::array<std::pair<const char*, SystemTab>, 5> kSystemTabs = {{
    {"connect", kTabConnect},
    {"limit", kTabLimit},
    {"show", kTabShow},
    {"help", kTabHelp},
    {"remote", kTabRemote},
}};

}  // namespace

std::optional<PageRequest> ParsePageRequest(const std::string& text, std::string& error) {
    const auto colon = text.find(':');
    const std::string name = text.substr(0, colon);
    const std::optional<std::string> number =
        colon == std::string::npos ? std::nullopt : std::optional(text.substr(colon + 1));

    if (name == "effect") {
        if (number) {
            error = "--page effect takes no number";
            return std::nullopt;
        }
        return PageRequest{PageRequest::View::InputDetail, kEffectChannel, kModuleEffect, 0};
    }
    if (name == "system" && number) {
        for (const auto& [tabName, tab] : kSystemTabs) {
            if (*number == tabName) return PageRequest{PageRequest::View::Console, 0, 0, kModeSystem, tab};
        }
        error = "--page system takes a tab: connect, limit, show, help or remote, not \"" + *number + "\"";
        return std::nullopt;
    }
    for (const PageName& page : kPages) {
        if (name != page.name) continue;
        if (page.count == 0) {
            if (number) {
                error = "--page " + name + " takes no number";
                return std::nullopt;
            }
            return PageRequest{page.view, 0, 0, page.detail};
        }
        int n = 1;
        if (number) {
            const char* end = number->data() + number->size();
            const auto [p, ec] = std::from_chars(number->data(), end, n);
            if (number->empty() || ec != std::errc() || p != end || n < 1 || n > page.count) {
                error = "--page " + name + " needs a number from 1 to " + std::to_string(page.count) + ", not \"" +
                        *number + "\"";
                return std::nullopt;
            }
        }
        return PageRequest{page.view, n - 1, page.detail, 0};
    }
    error = "--page does not know the page \"" + name + "\" (--help lists the pages)";
    return std::nullopt;
}

}  // namespace mixer
