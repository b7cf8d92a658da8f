#pragma once
// A page's change as an edit of the state: the same pure edits the strips
// and the sends page use, control-group links included, so that a change
// from a phone is an edit like a click in the window.

#include "host/strip_links.h"
#include "link/channel_edits.h"
#include "model/change_set.h"
#include "remote/client_message.h"

namespace mixer::remote {

// Writes a Set message; `links` are those of the strip it names.
Commands ApplySet(MixerState& s, const ClientMessage& m, const StripLinks& links);

// What of `changes` the sender of `m` must still hear: the part it set is
// left out when the state holds the value it sent, since the page already
// shows it; what else moved (linked channels, a clamped value) stays.
ChangeSet WithoutEcho(ChangeSet changes, const ClientMessage& m, const MixerState& s);

}  // namespace mixer::remote
