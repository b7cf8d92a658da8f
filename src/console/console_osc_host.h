#pragma once
// The console window as the OSC server's host: a message does what the
// window's own buttons do.

#include "osc/osc_host.h"

namespace mixer {

class CMixerDlg;
class CSystemDlg;

class ConsoleOscHost final : public OscHost {
public:
    explicit ConsoleOscHost(CMixerDlg& window) : window_(window) {}

    bool TakesEdits() const override;
    StripLinks InputLinks(int channel) override;
    void PressMuteGroup(int k) override;
    void RecallScene(int id, std::optional<int> fadeMs) override;
    void SaveScene() override;
    void Undo() override;
    void Redo() override;

private:
    CSystemDlg* System() const;

    CMixerDlg& window_;
};

}  // namespace mixer
