#pragma once
// The one place where the editor's device link (and, in demo mode, the
// simulated mixer it talks to) is built.

#include <memory>

#include "console/console_link.h"
#include "console/editor_options.h"

namespace mixer {

struct AppContext;

struct EditorLink {
    std::unique_ptr<ConsoleLink> link;
};

// Builds the link for the options and adjusts them: a demo points the device
// address at the simulated mixer and asks to connect; a build that cannot
// connect clears the request and says why on standard error.
EditorLink BuildEditorLink(AppContext& context, EditorOptions& options);

}  // namespace mixer
