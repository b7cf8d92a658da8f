#include "app/editor_link.h"

#include <QTextStream>

#include "app/mixer_console_link.h"
#include "host/app_context.h"
#include "link/mixer_link.h"
#include "sim/simulated_mixer.h"

namespace mixer {

EditorLink::EditorLink() = default;
EditorLink::~EditorLink() = default;
EditorLink::EditorLink(EditorLink&&) noexcept = default;
EditorLink& EditorLink::operator=(EditorLink&&) noexcept = default;

EditorLink BuildEditorLink(AppContext& context, EditorOptions& options, Notifier& notifier, SimOptions demo) {
    EditorLink built;
    if (options.demo) {
        PointAtDemoMixer(options);
        SimOptions sim = std::move(demo);
        sim.address = *options.deviceAddress;
        sim.port = static_cast<uint16_t>(options.port);
        built.demoMixer = std::make_unique<SimulatedMixer>(sim);
        QString error;
        if (!built.demoMixer->Start(error)) {
            QTextStream(stderr) << "mixer-editor: the demo mixer could not start: " << error
                                << "; the console starts offline.\n";
            built.demoMixer.reset();
            options.connect = false;
        }
    }
    built.mixerLink = std::make_unique<MixerLink>(context.model, notifier, *built.clock);
    built.mixerLink->SetLocalAddress(options.bindAddress);
    built.mixerLink->SetPort(static_cast<uint16_t>(options.port));
    // The search binds where the link does; a demo has just moved it to loopback.
    context.bindAddress = QString::fromStdString(options.bindAddress);
    context.port = options.port;
    built.link = std::make_unique<MixerConsoleLink>(context, *built.mixerLink);
    return built;
}

}  // namespace mixer
