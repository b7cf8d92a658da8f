#pragma once
// The one place where the editor's device link (and, in demo mode, the
// simulated mixer it talks to) is built.

#include <memory>

#include "host/console_link.h"
#include "host/editor_options.h"
#include "link/monotonic_clock.h"
#include "sim/sim_options.h"

namespace mixer {

struct AppContext;
class MixerLink;
class Notifier;
class SimulatedMixer;

struct EditorLink {
    EditorLink();
    ~EditorLink();
    EditorLink(EditorLink&&) noexcept;
    EditorLink& operator=(EditorLink&&) noexcept;

    // On the heap, so that the link's reference to it survives a move of this holder.
    std::unique_ptr<SteadyClock> clock = std::make_unique<SteadyClock>();
    std::unique_ptr<SimulatedMixer> demoMixer;  // only in demo mode
    std::unique_ptr<MixerLink> mixerLink;
    std::unique_ptr<ConsoleLink> link;          // what the console talks to
};

// Builds the link for the options: its socket's local address and port, and
// in demo mode a simulated mixer on loopback that the options then point at
// (device address, connect at start-up). A demo mixer that cannot start is
// reported on standard error and the console starts offline. `demo` holds
// the demo mixer's other settings (its network's faults, for tests).
EditorLink BuildEditorLink(AppContext& context, EditorOptions& options, Notifier& notifier, SimOptions demo = {});

}  // namespace mixer
