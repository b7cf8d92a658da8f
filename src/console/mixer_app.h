#pragma once
// The application object: shows the console window and runs until the
// window's close sequence has ended.

#include "host/editor_options.h"

namespace mixer {

struct AppContext;
class ConsoleLink;

class CMixerApp {
public:
    // The options as the link's set-up left them: the device address to use
    // instead of the profile's, whether to connect at start-up, a screenshot
    // file.
    CMixerApp(AppContext& context, ConsoleLink& link, const EditorOptions& options);

    // Shows the window (maximised; for a screenshot at least 1640 x 1040 so
    // that the whole console is in the picture), connects when asked, and
    // returns once the window has ended: 0, or 1 when the screenshot could
    // not be written. SIGINT and SIGTERM close the window as a user does.
    int InitInstance();

private:
    AppContext& context_;
    ConsoleLink& link_;
    EditorOptions options_;
};

}  // namespace mixer
