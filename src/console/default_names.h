#pragma once
// The channel names the console writes into the state before the pages are
// created, in the label language. Texts are UTF-8; the window encodes them
// for the name fields.

#include <string>

namespace mixer {

// Input 0..15 "CH n" / "通道 n", 16 "DELAY" / "延时", 17 "Reverb" / "混响".
// Language 2 gives the Chinese name, any other language the English one.
// An index outside 0..17 gives an empty name.
std::string DefaultInputName(int index, int language);

// Output 0 "MAIN" / "主音量", 1 "MAIN" in both, 2..7 "AUX n" / "辅助 n".
std::string DefaultOutputName(int index, int language);

}  // namespace mixer
