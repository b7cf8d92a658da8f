#pragma once
// Which popup menu resource carries a preset table's NAME / RECALL / DELETE
// commands. Kept in a file of its own: the menu resources and the preset
// tables both name their menus kFirstPresetMenu and kSecondPresetMenu.

namespace mixer {

// The menu resource whose NAME command is nameCommand.
int PresetMenuResource(int nameCommand);

}  // namespace mixer
