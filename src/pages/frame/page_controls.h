#pragma once
// The small controls the processing pages share, in the pages' look: the
// horizontal knob and the sunken box that shows its value.

class QWidget;

namespace mixer {

class CBitmapSlider;
class CSkinLabel;

inline constexpr int kValueBoxWidth = 78;

CBitmapSlider* MakePageKnob(QWidget* parent, int minimum, int maximum);
CSkinLabel* MakeValueBox(QWidget* parent);

}  // namespace mixer
