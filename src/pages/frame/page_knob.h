#pragma once
// The knob and the value box beside it, as every processing page draws its
// parameter knobs.

class QWidget;

namespace mixer {

class CBitmapSlider;
class CSkinLabel;

inline constexpr int kPageValueWidth = 78;

CBitmapSlider* MakePageKnob(QWidget* parent, int minimum, int maximum);
CSkinLabel* MakePageValueBox(QWidget* parent);
// A caption in the pages' label colour.
CSkinLabel* MakePageCaption(QWidget* parent);

}  // namespace mixer
