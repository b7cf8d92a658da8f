#include "skin/menu_resources.h"

namespace mixer {

namespace {

MenuEntry Item(const char* text, const char* chinese, int command) {
    MenuEntry e;
    e.text = text;
    e.chinese = chinese;
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
        Popup("SAVE", {Item("NAME", "命名", kCmdFirstName), Item("RECALL", "调用", kCmdFirstRecall),
                       Item("DELETE", "删除", kCmdFirstDelete)})};
    static const std::vector<MenuEntry> second = {
        Popup("PRESET", {Item("NAME", "命名", kCmdSecondName), Item("RECALL", "调用", kCmdSecondRecall),
                         Item("DELETE", "删除", kCmdSecondDelete)})};
    static const std::vector<MenuEntry> channelName = {Popup("CHANNEL", {Item("NAME", "命名", kCmdChannelName)})};
    switch (id) {
    case kFirstPresetMenu: return &first;
    case kSecondPresetMenu: return &second;
    case kChannelNameMenu: return &channelName;
    default: return nullptr;
    }
}

namespace {

const MenuEntry* FindCommandIn(const std::vector<MenuEntry>& entries, int command) {
    for (const MenuEntry& entry : entries) {
        if (entry.command == command && !entry.IsPopup()) return &entry;
        if (const MenuEntry* found = FindCommandIn(entry.items, command)) return found;
    }
    return nullptr;
}

}  // namespace

const MenuEntry* FindMenuCommand(int id, int command) {
    const std::vector<MenuEntry>* entries = FindMenuResource(id);
    return entries && command != 0 ? FindCommandIn(*entries, command) : nullptr;
}

}  // namespace mixer
