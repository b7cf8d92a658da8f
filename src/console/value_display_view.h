#pragma once
// The value display's four controls on the navigation bar: what the display
// formats goes onto them, and what the user types comes off them.

#include <string>

#include "host/value_display.h"

namespace mixer {

struct NavigationBar;

// The channel label always (the name decoded from GBK); the parameter label
// and both value boxes only for a kind with a row.
void ShowValueDisplay(NavigationBar& nav, const ValueDisplayText& text);

// The text of value box 0 or 1 as UTF-8, as the typed entry reads it; empty
// for any other box.
std::string TypedText(const NavigationBar& nav, int box);

}  // namespace mixer
