#pragma once
// How well text reads on its background: the relative luminance of a colour
// and the contrast ratio of two, as the common accessibility measure takes
// them (1:1 for equal colours up to 21:1 for black on white).

namespace mixer {

struct Rgb {
    int red;
    int green;
    int blue;
};

// Text needs at least this ratio to its background to read at small sizes.
inline constexpr double kReadableContrast = 4.5;

double RelativeLuminance(Rgb colour);
double ContrastRatio(Rgb a, Rgb b);

// The preferred text colour when it reads on the background, else black or
// white, whichever reads better.
Rgb ReadableTextOn(Rgb background, Rgb preferred);

}  // namespace mixer
