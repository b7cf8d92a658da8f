#pragma once
// CPhantomDlg: switches the phantom supply of each of the 16 microphone inputs.

#include <array>

#include "host/page_views.h"
#include "link/mixer_state.h"

namespace mixer {

struct AppContext;
class StripHost;
class CImageButton;
class CSkinLabel;

class CPhantomDlg : public PageView {
    Q_OBJECT

public:
    CPhantomDlg(AppContext& context, StripHost& host, QWidget* parent);

    void SetLabels(int language) override;
    // Every button from its channel's flag and name.
    void ShowPhantomPage();
    // Button of input 0..15: the flag flips, and goes to the mixer while connected.
    void PressChannel(int channel);

    CImageButton* Button(int channel) const { return buttons_[channel]; }
    CSkinLabel* Title() const { return title_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    AppContext& context_;
    StripHost& host_;
    std::array<CImageButton*, kInputCount> buttons_{};
    CSkinLabel* title_;
};

}  // namespace mixer
