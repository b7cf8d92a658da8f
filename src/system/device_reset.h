#pragma once
// What the RESET button does to the editor before the upload: every
// parameter a reset covers back to its default, and the user's mute, view
// and control groups cleared, in the profile too.

namespace mixer {

struct AppContext;

// False when the cleared groups could not be written to the profile; the
// editor's own tables are cleared either way.
bool ResetEditorState(AppContext& context);

}  // namespace mixer
