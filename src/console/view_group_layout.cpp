#include "console/view_group_layout.h"

#include "model/group_tables.h"

namespace mixer {

Arrangement ArrangeViewGroup(const LayoutMetrics& m, const std::vector<int>& channels, int selectedOutput) {
    // No page: the console's arrangement without strips of its own.
    Arrangement a = ArrangeConsole(m, 0, selectedOutput, kModeStrips);
    a.sidePanelToMainLevel = false;
    const int pitch = m.stripWidth + kStripGap;
    int place = 0;
    for (int channel : channels) {
        if (place == kViewGroupMaxMembers) break;
        if (channel < 0 || channel >= kStripCount) continue;
        a.shown.push_back({PageId::InputStrip, channel, {pitch * place, m.stripTop, m.stripWidth, m.stripHeight}});
        ++place;
    }
    return a;
}

}  // namespace mixer
