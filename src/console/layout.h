#pragma once
// Where the console window puts its pages: the strip metrics that follow the
// window size, and the arrangement of the three views (console, input detail,
// output detail). Pure arithmetic, so that a test can check every position
// without a window.

#include <vector>

#include "host/console_modes.h"

namespace mixer {

inline constexpr int kMinStripWidth = 150;
inline constexpr int kMinStripHeight = 700;
inline constexpr int kStripTop = 100;
inline constexpr int kStripGap = 2;

struct LayoutMetrics {
    int stripWidth = 100;        // W: one input strip, and the output strip
    int outputStripWidth = 100;  // always equal to W
    int stripHeight = 500;       // H: strips and pages
    int stripTop = kStripTop;
    bool operator==(const LayoutMetrics&) const = default;
};

// trunc(client width * 2 / 21): the strip width a client width asks for.
int StripWidthFor(int clientWidth);

// The first pass of initialisation sets W from the client width only.
void FirstPassMetrics(LayoutMetrics& m, int clientWidth);
// The final pass of initialisation: W at least 150, H = max(700, ch - 220).
void FinalPassMetrics(LayoutMetrics& m, int clientWidth, int clientHeight);
// A size change re-computes the metrics only when the strip width the new
// client width asks for differs from the stored W; then W is at least 150 and
// H = max(700, ch - 110). Returns true when the metrics were re-computed and
// the pages must be arranged again.
bool ApplySizeChange(LayoutMetrics& m, int clientWidth, int clientHeight);

// Every page view of the window. Input and output strips have an index
// (0..17, 0..7); the others are single.
enum class PageId {
    InputStrip,
    OutputStrip,
    DetailInput,
    DetailOutput,
    SidePanel,
    System,
    Phantom,
    MuteGroups,
    ViewGroups,
    ControlGroups,
    Sends,
    GateComp,
    Peq,
    Effect,
    Limiter,
    Geq,
};

struct PageRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PageRect&) const = default;
};

struct Placement {
    PageId page;
    // InputStrip/OutputStrip: which strip. DetailInput/DetailOutput and the
    // module pages: the channel or output they are set to show.
    int index = 0;
    PageRect rect;
};

struct Arrangement {
    std::vector<PageId> hidden;      // every view of these kinds is hidden first
    std::vector<Placement> shown;    // then these are placed and shown; one entry per view
    int pressedPageButton = 0;       // 1..4: that page button pressed, the others released; 0: untouched
    bool sidePanelToMainLevel = false;

    // The placement of that view (for strips: of strip `strip`), or null.
    const Placement* Find(PageId page, int strip = -1) const;
};

// The console view: the strips of `page`, the selected output strip at the
// right, the page that `mode` puts over the strip area, and the side panel.
// The AUX page leaves out the AUX chosen as the output strip and closes ranks.
Arrangement ArrangeConsole(const LayoutMetrics& m, int page, int selectedOutput, int mode);

// Input detail: the detail strip of `channel`, the selected output's detail
// strip and the module page of that channel. A channel outside 0..17 gives an
// empty arrangement (nothing hidden, nothing shown).
Arrangement ArrangeInputDetail(const LayoutMetrics& m, int channel, int module, int selectedOutput);

// Output detail: the detail strip of `output` and its module page. An output
// outside 0..7 gives an empty arrangement.
Arrangement ArrangeOutputDetail(const LayoutMetrics& m, int output, int module);

// True for a selected output that stands as a strip: 1 (MAIN) and 3..8.
bool IsShownOutput(int selectedOutput);

}  // namespace mixer
