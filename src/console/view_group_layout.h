#pragma once
// Where the console puts a view group: its members side by side in the strip
// places, the selected output strip and the side panel where they always stand.

#include <vector>

#include "console/layout.h"

namespace mixer {

// Every page hidden as for the console view, then input strip channels[n]
// at strip place n (at most eight), the selected output strip and the side
// panel, which keeps its level. The page buttons are left as they are.
Arrangement ArrangeViewGroup(const LayoutMetrics& m, const std::vector<int>& channels, int selectedOutput);

}  // namespace mixer
