#pragma once
// What the input and output strips share: the tiled background with its
// frame, the EQ thumbnail that opens the channel's EQ page, the name button
// with its NAME menu and dialog, and the show/hide life the console gives
// every strip.

#include <QString>

#include "host/page_views.h"
#include "console/strip_layout.h"
#include "link/mixer_state.h"
#include "model/change_set.h"

namespace mixer {

struct AppContext;
class StripHost;
class CBitmapSlider;
class CEqGraph;
class CImageButton;
class CLevelMeter;
class CMenuEx;

class StripDlgBase : public StripView {
    Q_OBJECT

public:
    // The controls' places on a strip 100 pixels wide; the layout rule fits
    // them to the strip's width.
    static constexpr PageRect kThumbnailPlace{2, 5, 100, 60};
    static constexpr PageRect kNamePlace{2, 530, 100, 60};
    static constexpr int kButtonWidth = 100;
    static constexpr int kButtonHeight = 24;
    static constexpr int kPanTop = 65;
    static constexpr int kFaderTop = 190;
    static constexpr int kFaderLength = 280;  // at the reference height
    static constexpr int kMuteTop = 470;
    static constexpr int kSoloTop = 500;
    static constexpr int kFaderId = 1012;
    static constexpr int kPanId = 1013;
    static constexpr int kPanCentre = 100;
    // The module a press on the thumbnail opens: the channel's EQ page.
    static constexpr int kThumbnailModule = kModulePeq;
    static_assert(static_cast<int>(kModulePeq) == static_cast<int>(kModuleGeq));

    StripDlgBase(AppContext& context, StripHost& host, int index, int background, QWidget* parent);

    // The index is checked by the strip: one outside its range shows nothing.
    void SetIndex(int index) override;
    int Index() const override { return index_; }

    // The console shows and hides strips; showing refreshes from the state.
    void ShowStrip() { show(); }
    void HideStrip() { hide(); }

    // The background image: the strip's own, or a control group's (172..175).
    void SetBadge(int image);
    int Badge() const { return background_; }

    // Stores a name from the NAME dialog in the channel's 16-byte field (cut
    // at a character boundary) and shows it; nothing is sent.
    void ApplyName(const QString& name);
    // The name the name button shows.
    QString NameText() const;
    // Opens the NAME menu at a global position; choosing NAME opens the dialog.
    void OpenNameMenu(const QPoint& globalPos);
    void OpenNameDialog();

    // The processing page of the channel: the thumbnail opens module 2.
    virtual void OpenModule(int module) = 0;
    // Shows what the model reports changed in the strip's record (its parts,
    // none when the change is elsewhere).
    virtual void OnStateChanged(uint32_t parts) = 0;
    virtual uint32_t ChangedParts(const ChangeSet& changes) const = 0;

    CEqGraph* Thumbnail() const { return thumbnail_; }
    CImageButton* NameButton() const { return nameButton_; }
    // The popup of the NAME menu (shown by OpenNameMenu).
    CMenuEx* NameMenu() const;

protected:
    using NameField = char[kNameSize];
    // The channel's name field, or null while the index is out of range.
    virtual NameField* Name() = 0;
    // Places the controls for a strip `width` pixels wide and `growth` pixels
    // taller than the reference height: the fader and its meter take the
    // growth, the controls under them move down by it.
    virtual void LayOut(int width, int growth) = 0;
    // How much taller than the reference height the strip stands.
    int Growth() const;

    // Shows the name field on the name button.
    void ShowName();
    // The NAME menu's caption in language 1 or 2, as every strip shows it.
    void SetNameMenuLanguage(int language);
    // A button of the strip's key images: a push button, or a two-state
    // button that the strip sets.
    CImageButton* MakeButton(bool twoState);
    // The fader with its cap image, at the bottom until the state is shown.
    CBitmapSlider* MakeFader(int capImage);
    // The pan or balance slider, centred.
    CBitmapSlider* MakePan();
    // A one-column meter of the fader's bar heights; the layout places it.
    CLevelMeter* MakeMeter();
    // Places every control for the strip's width.
    void LayOutAll();
    void PlaceButton(QWidget* control, int top, int width);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

    AppContext& context_;
    StripHost& host_;
    int index_;

private:
    int background_;
    CEqGraph* thumbnail_;
    CImageButton* nameButton_;
    CMenuEx* nameMenu_;
};

}  // namespace mixer
