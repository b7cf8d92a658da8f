#pragma once
// The console's pages, modes, views and detail modules, as the pages and
// the window name them to each other.

namespace mixer {

// Console pages (page field of the window) and modes (what fills the strip area).
enum StripPage { kPageCh1To8 = 1, kPageCh9To16 = 2, kPageEffect = 3, kPageAux = 4 };
enum ConsoleMode { kModeStrips = 0, kModeSystem = 1, kModeMuteGroups = 2, kModeViewGroups = 3, kModeControlGroups = 4, kModePhantom = 5 };
// The three views.
enum ConsoleView { kViewConsole = 1, kViewInputDetail = 2, kViewOutputDetail = 3 };
// Modules of the detail views.
enum InputModule { kModuleGateComp = 1, kModulePeq = 2, kModuleEffect = 3, kModuleSends = 4 };
enum OutputModule { kModuleLimiter = 1, kModuleGeq = 2 };

}  // namespace mixer
