#include "pages/frame/page_controls.h"

#include "skin/bitmap_slider.h"
#include "skin/skin_label.h"

namespace mixer {

namespace {

constexpr int kKnobTrack = 185;
constexpr int kKnobTrackLit = 186;
constexpr int kKnobThumb = 187;

}  // namespace

CBitmapSlider* MakePageKnob(QWidget* parent, int minimum, int maximum) {
    auto* knob = new CBitmapSlider(parent);
    knob->SetTrackBitmaps(kKnobTrack, kKnobTrackLit);
    knob->SetThumbBitmaps(kKnobThumb);
    knob->SetRange(minimum, maximum);
    knob->SetReadoutShown(false);
    knob->SetPageSize(10);
    return knob;
}

CSkinLabel* MakeValueBox(QWidget* parent) {
    auto* label = new CSkinLabel(parent);
    label->SetFontSize(10);
    label->SetTransparent(false);
    label->SetSunken(true);
    label->SetBackgroundColour(QColor(14, 16, 22));
    label->SetTextColour(QColor(130, 235, 160));
    label->SetAlignment(Qt::AlignCenter);
    label->resize(kValueBoxWidth, 22);
    return label;
}

}  // namespace mixer
