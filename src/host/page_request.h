#pragma once
// The page the console opens on at start-up (--page NAME[:N]), so that a user
// can jump straight to a channel's processing page or a group page.

#include <optional>
#include <string>

namespace mixer {

// The tabs of the system page.
enum SystemTab { kTabConnect = 0, kTabLimit = 1, kTabShow = 2, kTabHelp = 3, kTabRemote = 4 };

struct PageRequest {
    enum class View { InputDetail, OutputDetail, Console };
    View view = View::Console;
    int index = 0;   // InputDetail: channel 0..17; OutputDetail: output 0..7
    int module = 0;  // InputDetail/OutputDetail: the module page (InputModule, OutputModule)
    int mode = 0;    // Console: what fills the strip area (ConsoleMode)
    int tab = kTabConnect;  // the system page's tab (SystemTab)
    bool operator==(const PageRequest&) const = default;
};

// Reads "NAME" or "NAME:N". N counts from 1 in the order of the mixer's
// records: inputs 1..16, 17 and 18 for the delay and reverb returns; outputs
// 1 MAIN, 2 its partner, 3..8 AUX 1..6. A channel page without N shows the
// first channel. The system page takes the name of a tab instead
// (system:connect, system:limit, system:show, system:help). Unknown names and numbers out of range give nullopt and a
// message in `error`.
std::optional<PageRequest> ParsePageRequest(const std::string& text, std::string& error);

}  // namespace mixer
