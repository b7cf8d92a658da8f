#include "pages/frame/preset_menu_resource.h"

#include "skin/menu_resources.h"

namespace mixer {

int PresetMenuResource(int nameCommand) {
    return nameCommand == kCmdSecondName ? kSecondPresetMenu : kFirstPresetMenu;
}

}  // namespace mixer
