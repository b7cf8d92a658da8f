#pragma once
// What the OSC server asks of the window, so that a message does what the
// same click there does: the strips' control-group links, the mute group
// buttons (which keep their lit state), the scenes of the system page, and
// whether the window takes edits at all.

#include <optional>

#include "host/strip_links.h"

namespace mixer {

class OscHost {
public:
    virtual ~OscHost() = default;

    // False while the window takes no edits (a whole-state upload runs).
    virtual bool TakesEdits() const = 0;
    // The links the console strip of input channel 0..17 holds now.
    virtual StripLinks InputLinks(int channel) = 0;
    // Mute group button k (1..4) pressed.
    virtual void PressMuteGroup(int k) = 0;
    // RECALL of scene `id` with the levels fading over `fadeMs`, or over the
    // window's fade time when none is given; and SAVE.
    virtual void RecallScene(int id, std::optional<int> fadeMs) = 0;
    virtual void SaveScene() = 0;
    // The window's UNDO and REDO.
    virtual void Undo() = 0;
    virtual void Redo() = 0;
};

}  // namespace mixer
