#pragma once
// What a strip or page asks of the console window that owns it: the value
// display, the detail views and the control-group links of the strips.
// Changes to the state go through the model, which every view listens to.

#include "host/strip_links.h"
#include "link/channel_edits.h"

namespace mixer {

class StripView;

class StripHost {
public:
    virtual ~StripHost() = default;

    // The value display shows this channel (0..17 inputs, 18..25 outputs)
    // and parameter kind, formatted from the state.
    virtual void ShowValue(int channel, int kind) = 0;
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
};

}  // namespace mixer
