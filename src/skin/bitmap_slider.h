#pragma once
// The bitmap slider: every fader, pan control and parameter knob. A track
// bitmap with an optional lit part, a thumb bitmap, mouse and key handling,
// and the moving / moved / double-clicked notifications.
//
// The value grows from the top down (vertical) or from left to right. Across
// the travel the thumb's edge stands at the start margin (vertical) or the
// top margin (horizontal), so a page places the thumb on its track's groove
// with the margins.

#include <QColor>
#include <QWidget>
#include <vector>

#include "skin/skin_images.h"
#include "skin/slider_geometry.h"

namespace mixer {

class CBitmapSlider : public QWidget {
    Q_OBJECT

public:
    explicit CBitmapSlider(QWidget* parent = nullptr, int id = 0);

    void SetId(int id) { id_ = id; }
    int Id() const { return id_; }

    void SetRange(int minimum, int maximum, bool redraw = true);
    int GetRangeMin() const { return minimum_; }
    int GetRangeMax() const { return maximum_; }
    // Clamps to the range and redraws; posts nothing.
    void SetPos(int value);
    int GetPos() const { return position_; }
    void SetPageSize(int step) { pageStep_ = step; }
    int GetPageSize() const { return pageStep_; }

    void SetVertical(bool vertical);
    bool IsVertical() const { return vertical_; }
    void SetMargin(int start, int top, int end, int bottom);

    // Load the bitmaps by number (activeId -1 = none). A transparent bitmap
    // leaves out every pixel of the transparent colour. The track sizes the
    // control. A missing bitmap leaves the slider working with plain drawing.
    void SetTrackBitmaps(int trackId, int activeId = -1, bool transparent = false,
                         const QColor& transparentColour = QColor());
    void SetThumbBitmaps(int thumbId, int activeId = -1, bool transparent = false,
                         const QColor& transparentColour = QColor());

    // Draws the track (and its lit part) stretched along the travel to
    // `length` pixels and sizes the control to match; 0 returns to the
    // bitmap's own length. The range stays; each value gets more room.
    void SetTrackLength(int length);

    // Scale marks drawn beside the track, each a short line and its text at
    // the place of a value; an accented mark stands out.
    struct Mark {
        int value;
        QString text;
        bool accent = false;
    };
    void SetMarks(std::vector<Mark> marks);
    const std::vector<Mark>& Marks() const { return marks_; }

    // A disabled slider ignores mouse and keys.
    void Enable(bool on) { setEnabled(on); }

    // The value readout is drawn in the band at the maximum end of the travel
    // when the page leaves that much margin there.
    void SetReadoutShown(bool shown);
    void SetReadout(const SliderReadout& readout);
    const SliderReadout& GetReadout() const { return readout_; }
    QString ReadoutText() const;
    void SetReadoutBand(int pixels);
    void SetTickCount(int count);

    bool IsDragging() const { return dragging_; }
    // Where the thumb is drawn, in the control's coordinates.
    QRect ThumbRect() const;
    // Where along the travel the thumb's centre stands for value.
    int PixelOf(int value) const { return SliderPixel(Axis(), value); }

    QSize sizeHint() const override;

signals:
    // Each carries the slider's id and its new position.
    void Moving(int id, int position);  // the position changed during a drag
    void Moved(int id, int position);   // a drag ended, or a key set the position
    void DoubleClicked(int id, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    SliderAxis Axis() const;
    QSize TrackSize() const;
    QSize ThumbSize() const;
    int Along(const QPoint& point) const { return vertical_ ? point.y() : point.x(); }
    void DragTo(int along);
    // Draws image over target, stretching only its middle along the travel.
    void DrawStretched(QPainter& painter, const SkinPixmap& image, const QRect& target) const;
    void PaintTicks(QPainter& painter) const;
    void PaintMarks(QPainter& painter) const;
    void PaintReadout(QPainter& painter) const;

    int id_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    int pageStep_ = 20;
    bool vertical_ = false;
    int marginStart_ = 0;
    int marginTop_ = 0;
    int marginEnd_ = 0;
    int marginBottom_ = 0;
    SkinPixmap track_;
    SkinPixmap activeTrack_;
    SkinPixmap thumb_;
    SkinPixmap activeThumb_;
    bool dragging_ = false;
    int dragOffset_ = 0;
    bool readoutShown_ = true;
    SliderReadout readout_;
    int readoutBand_ = 18;
    int tickCount_ = 0;
    int trackLength_ = 0;
    std::vector<Mark> marks_;
};

}  // namespace mixer
