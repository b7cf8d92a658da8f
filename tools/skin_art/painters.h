#pragma once
// The drawing of every skin picture. One look throughout: graphite panels,
// keys that light amber when engaged, cyan for signal and selection.

#include <QColor>
#include <QImage>
#include <QSize>

namespace skin_art {

// Palette shared by all pictures.
inline const QColor kPanelDark(29, 32, 38);
inline const QColor kPanelMid(43, 47, 55);
inline const QColor kEdgeLight(86, 92, 104);
inline const QColor kOutline(10, 11, 13);
inline const QColor kLitTop(255, 214, 128);
inline const QColor kLitBottom(242, 150, 22);
inline const QColor kCyanTop(160, 232, 255);
inline const QColor kCyanBottom(40, 170, 235);
inline const QColor kGlyph(214, 220, 230);
inline const QColor kGlyphLit(30, 22, 8);

enum class Icon { Gear, Outputs, Link, Phantom, ClearMute, ClearSolo, Home };

// Every picture but the page backgrounds is drawn at `scale` device pixels
// per pixel of its size: 1 for the 1x image, 2 for the @2x one that screens
// at 150 % and 200 % display scaling draw. The picture comes back with that
// device pixel ratio; size stays the picture's size in logical pixels.

// Buttons (transparent around their rounded corners).
QImage Key(QSize size, int scale, bool lit, const QColor& litTop = kLitTop, const QColor& litBottom = kLitBottom);
QImage IconKey(QSize size, int scale, bool lit, Icon icon);
QImage PageKey(QSize size, int scale, bool lit);
QImage NameKey(QSize size, int scale, bool lit);
QImage ConnectKey(QSize size, int scale, bool online);

QImage Logo(QSize size, int scale);
QImage AppIcon(QSize size, int scale);

// Page backgrounds (opaque, 24-bit), at 1x only: their rows are single
// colours and their lines a pixel wide, so doubling each pixel draws them at
// 2x exactly, and a 2x copy would cost 64 MB of memory each.
QImage ConsoleBackground(QSize size);
QImage StripBackground(QSize size, const QColor& tint, bool badge);
QImage PageBackground(QSize size);

// Slider parts. groove is the centre line of the groove across the track.
// The fader's track is the groove alone: the strips draw its scale, at any length.
QImage FaderTrack(QSize size, int scale, int thumbHeight);
QImage FaderCap(QSize size, int scale, const QColor& line, bool lit);
QImage VerticalTrack(QSize size, int scale, int groove, int thumbHeight, bool lit);
QImage HorizontalTrack(QSize size, int scale, int groove, int thumbWidth, bool lit, bool centreMark);
QImage KnobThumb(QSize size, int scale);
QImage SliderCap(QSize size, int scale, bool vertical);

// Strip frame: corners, edges and the title-bar parts.
enum class FramePart { TopLeft, Top, TopRight, Left, Right, BottomLeft, Bottom, BottomRight, Title };
QImage Frame(QSize size, int scale, FramePart part);
enum class TitleButton { Exit, Maxed, Tray, Toped, Color, Plus, Menu };
QImage TitleGlyph(QSize size, int scale, TitleButton button);

}  // namespace skin_art
