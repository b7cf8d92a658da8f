#pragma once
// The popup menus of the program as data: what CMenuEx builds its menus from.

#include <string>
#include <vector>

namespace mixer {

// Menu numbers.
inline constexpr int kFirstPresetMenu = 215;   // NAME / RECALL / DELETE of presets and scenes
inline constexpr int kSecondPresetMenu = 216;  // the same for the compressor and delay presets
inline constexpr int kChannelNameMenu = 218;   // NAME of a channel strip

// Command numbers of their items.
inline constexpr int kCmdFirstName = 32771;
inline constexpr int kCmdFirstRecall = 32773;
inline constexpr int kCmdFirstDelete = 32774;
inline constexpr int kCmdSecondName = 32775;
inline constexpr int kCmdSecondRecall = 32776;
inline constexpr int kCmdSecondDelete = 32777;
inline constexpr int kCmdChannelName = 32775;

struct MenuEntry {
    std::string text;
    std::string chinese;  // the text in the Chinese window (UTF-8); empty: the same as text
    int command = 0;  // 0 for popups and separators
    bool separator = false;
    bool grayed = false;
    bool checked = false;
    std::vector<MenuEntry> items;  // entries of a popup
    bool IsPopup() const { return !items.empty(); }
};

// Top-level entries of the menu with that number, or nullptr for an unknown number.
const std::vector<MenuEntry>* FindMenuResource(int id);

// The entry of menu `id` (its popups searched too) that issues `command`, or
// nullptr. Command numbers repeat across menus, so the menu is named.
const MenuEntry* FindMenuCommand(int id, int command);

}  // namespace mixer
