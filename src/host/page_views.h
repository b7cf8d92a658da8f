#pragma once
// What the console window asks of the pages it arranges. Every page is a
// widget with a label routine; strips, the channel pages and the side panel
// answer a few more calls. The pages of later parts derive from these.

#include <QWidget>

namespace mixer {

class PageView : public QWidget {
public:
    using QWidget::QWidget;
    // Captions for language 1 (English) or 2 (Chinese); other values change nothing.
    virtual void SetLabels(int language) = 0;
};

// An input or output strip, including the two detail strips.
class StripView : public PageView {
public:
    using PageView::PageView;
    // The channel (inputs 0..17) or output (0..7) the strip shows.
    virtual void SetIndex(int index) = 0;
    virtual int Index() const = 0;
    // Shows the strip's values from the mixer state.
    virtual void RefreshFromState() = 0;
    // Shows the meter levels of the state; repaints only what changed.
    virtual void UpdateMeters() = 0;
};

// A processing page of one input channel or one output.
class ChannelPageView : public PageView {
public:
    using PageView::PageView;
    virtual void SetChannel(int channel) = 0;
    virtual int Channel() const = 0;
    // Shows the page's values from the mixer state: after a typed value or a
    // full-state reply changed them.
    virtual void RefreshFromState() = 0;
    // Shows the meter levels of the state, for the pages that have meters.
    virtual void UpdateMeters() {}
};

// The panel at the right edge through which the system page and the group
// pages are reached.
class SidePanelView : public PageView {
public:
    using PageView::PageView;
    // Level 1 (main) also draws SYSTEM and PHANTOM released.
    virtual void RefreshPanel(int level) = 0;
    virtual void SetSystemDown(bool down) = 0;
    virtual void SetPhantomDown(bool down) = 0;
    // Drawn as its own buttons leave it after opening `mode` (ConsoleMode).
    virtual void PressForMode(int mode) = 0;
};

}  // namespace mixer
