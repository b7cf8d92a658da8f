#include "skin/menu_resources.h"

namespace mixer {

namespace {

MenuEntry Item(const char* text, int command) {
    MenuEntry e;
    e.text = text;
    e.command = command;
    return e;
}

MenuEntry Popup(const char* text, std::vector<MenuEntry> items) {
    MenuEntry e;
    e.text = text;
    e.items = std::move(items);
    return e;
}

}  // namespace

const std::vector<MenuEntry>* FindMenuResource(int id) {
    static const std::vector<MenuEntry> first = {
        Popup("SAVE", {Item("NAME", kCmdFirstName), Item("RECALL", kCmdFirstRecall), Item("DELETE", kCmdFirstDelete)})};
    static const std::vector<MenuEntry> second = {
        Popup("PRESET", {Item("NAME", kCmdSecondName), Item("RECALL", kCmdSecondRecall), Item("DELETE", kCmdSecondDelete)})};
    static const std::vector<MenuEntry> channelName = {Popup("CHANNEL", {Item("NAME", kCmdChannelName)})};
    switch (id) {
    case kFirstPresetMenu: return &first;
    case kSecondPresetMenu: return &second;
    case kChannelNameMenu: return &channelName;
    default: return nullptr;
    }
}

}  // namespace mixer
