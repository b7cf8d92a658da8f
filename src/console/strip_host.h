#pragma once
// What a strip asks of the console window that owns it: the value display,
// the page-button overviews, the detail views, the other strips (for control
// groups) and the link.

#include "console/strip_links.h"
#include "link/channel_edits.h"

namespace mixer {

class StripView;

class StripHost {
public:
    virtual ~StripHost() = default;

    // The value display shows this channel (0..17 inputs, 18..25 outputs)
    // and parameter kind, formatted from the state.
    virtual void ShowValue(int channel, int kind) = 0;
    // The page buttons' bars and mute marks follow the state.
    virtual void RefreshPageOverviews() = 0;
    // Sends the commands in order while connected; false when not connected.
    virtual bool Send(const Commands& commands) = 0;
    // The detail views, as a strip's detail buttons open them: the scroll
    // positions reset and the value display shows kind 0 of the channel.
    virtual void OpenInputDetail(int channel, int module) = 0;
    virtual void OpenOutputDetail(int output, int module) = 0;
    // The console's input strip of a channel 0..17 (null outside), so that a
    // control-group edit can move the linked strips.
    virtual StripView* InputStrip(int channel) = 0;
    // The control-group links that the console strip of input channel 0..17
    // holds now (none outside), so that a processing page's edits follow the
    // same links as the strip's.
    virtual StripLinks InputLinks(int channel) = 0;
    // Every strip that shows the channel (0..17 inputs, 18..25 outputs) and
    // the page-button overviews follow the state.
    virtual void RefreshChannelViews(int channel) = 0;
};

}  // namespace mixer
