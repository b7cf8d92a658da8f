#include "system/device_reset.h"

#include "host/app_context.h"
#include "groups/group_store.h"
#include "link/reset_defaults.h"

namespace mixer {

bool ResetEditorState(AppContext& context) {
    // The groups are the user's work and no part of the undo step.
    const StepScope step(context.model, {StepAction::DeviceReset});
    context.model.Change([](MixerState& s) { ResetDefaults(s); });
    context.groups = GroupTables{};
    // With their tables empty no group can stay engaged or switched on.
    context.activeMuteGroup = 0;
    context.activeViewGroup = 0;
    context.controlGroupEnabled = {};
    return SaveGroups(context.profileFile, context.groups);
}

}  // namespace mixer
