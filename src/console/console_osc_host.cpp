#include "console/console_osc_host.h"

#include "console/console_canvas.h"
#include "console/mixer_dlg.h"
#include "system/system_dlg.h"

namespace mixer {

bool ConsoleOscHost::TakesEdits() const { return window_.Canvas()->isEnabled(); }

StripLinks ConsoleOscHost::InputLinks(int channel) { return window_.InputLinks(channel); }

void ConsoleOscHost::PressMuteGroup(int k) { window_.OnMuteGroupButton(k); }

void ConsoleOscHost::RecallScene(int id, std::optional<int> fadeMs) {
    CSystemDlg* system = System();
    if (!system) return;
    if (fadeMs) system->RecallScene(id, std::chrono::milliseconds(*fadeMs));
    else system->RecallScene(id);
}

void ConsoleOscHost::SaveScene() {
    if (CSystemDlg* system = System()) system->SaveScene();
}

void ConsoleOscHost::Undo() { window_.UndoStep(); }

void ConsoleOscHost::Redo() { window_.RedoStep(); }

CSystemDlg* ConsoleOscHost::System() const { return qobject_cast<CSystemDlg*>(window_.Pages().system); }

}  // namespace mixer
