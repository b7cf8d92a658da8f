#pragma once
// How the preset flow shows its NAME / RECALL / DELETE popup menu. The pages
// answer with their owner-drawn menu at the mouse position; tests with a fake.

#include "presets/preset_tables.h"

namespace mixer {

class PresetMenu {
public:
    virtual ~PresetMenu() = default;
    // Shows the menu with these command ids; the chosen id, or 0 when the
    // menu is dismissed.
    virtual int ShowPresetMenu(const PresetMenuIds& ids) = 0;
};

}  // namespace mixer
