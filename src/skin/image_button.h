#pragma once
// The push button of every page: draws its up or down image over the page
// background and writes its caption centred on top.

#include <QAbstractButton>
#include <QFont>
#include <QColor>
#include <array>

#include "skin/skin_images.h"

namespace mixer {

class CImageButton : public QAbstractButton {
    Q_OBJECT

public:
    enum Behaviour { kPush = 0, kTwoState = 1 };
    enum SizeMode { kKeepSize = 0, kImageSize = 1, kHalfImageSize = 2 };
    enum class Face { None, Up, Down };

    static constexpr int kMaxOverviewBars = 8;
    static constexpr int kOverviewRange = 186;
    static constexpr qreal kDisabledOpacity = 0.35;

    explicit CImageButton(QWidget* parent = nullptr);
    CImageButton(const QString& caption, QWidget* parent);

    // Loads the two images (a missing one stays empty) and sizes the button by
    // its size mode, keeping its top-left corner in the parent.
    void LoadImages(int upId, int downId);

    // 0 = push button (down image while pressed or hovered), 1 = two-state
    // button (down image exactly while `down` is set). Other values draw no image.
    void SetBehaviour(int behaviour);
    int GetBehaviour() const { return behaviour_; }

    // The two-state button's state; pages set it, the button does not toggle itself.
    void SetDown(bool down);
    bool GetDown() const { return down_; }

    void SetShowCaption(bool show);
    void SetSizeMode(int mode);  // applied by the next LoadImages
    int GetSizeMode() const { return sizeMode_; }
    void SetCaptionSize(int points);
    void SetCaptionColours(const QColor& up, const QColor& down);
    // A caption too wide for the button is drawn smaller, down to a floor,
    // and then broken onto a second line, so that all of it stays in view.
    void SetCaptionFits(bool on);
    // With fitting on, a caption still too wide at the floor stays on one line
    // and loses its end to an ellipsis instead, so its beginning stays whole.
    void SetCaptionElided(bool on);
    struct CaptionLayout {
        QFont font;
        int flags = 0;
        QRect area;    // what the caption is drawn in
        QRect bounds;  // what the caption covers, in the button's coordinates
        QString text;  // the caption as drawn
    };
    CaptionLayout LayOutCaption() const;
    // A push button with the static look always shows its up image.
    void SetStaticLook(bool on);
    // With the disabled look a disabled button is drawn faded and does not
    // light up under the mouse, so that it says it cannot be pressed now;
    // without it, it looks as when enabled.
    void SetDisabledLook(bool on);

    bool IsHovering() const { return hovering_; }
    Face CurrentFace() const;
    QColor CurrentCaptionColour() const;
    // Size the images are drawn at: the button's size in mode 0, else as loaded.
    QSize ImageSize() const;

    // The page overview that the console's page buttons draw inside them: one
    // bar per strip of the page, height 0..186, and a mute mark per strip.
    void EnableOverview(bool on);
    void SetOverviewBarCount(int count);  // 1..8
    int OverviewBarCount() const { return overviewBars_; }
    void SetOverviewLevel(int bar, int height);
    void SetOverviewMute(int bar, bool muted);
    int OverviewLevel(int bar) const;
    bool OverviewMute(int bar) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PaintOverview(QPainter& painter) const;
    int OverviewBarBottom() const;         // first row below the bars
    int OverviewLitRows(int level) const;  // rows a bar at that level lights
    // The image, the overview bars and the caption, as the button shows them.
    void PaintFace(QPainter& painter) const;
    // Where the bars and mute marks stand: a meter tick repaints only this.
    QRect OverviewArea() const;

    int behaviour_ = kTwoState;
    bool down_ = false;
    bool showCaption_ = true;
    int sizeMode_ = kKeepSize;
    int captionSize_ = 8;
    bool captionFits_ = false;
    bool captionElided_ = false;
    QColor captionUp_ = QColor(255, 255, 255);
    QColor captionDown_ = QColor(0, 0, 0);
    bool staticLook_ = false;
    bool disabledLook_ = false;
    bool hovering_ = false;
    QSize imageSize_;
    SkinPixmap upImage_;
    SkinPixmap downImage_;

    bool overview_ = false;
    int overviewBars_ = kMaxOverviewBars;
    std::array<int, kMaxOverviewBars> overviewLevels_{};
    std::array<bool, kMaxOverviewBars> overviewMutes_{};
};

}  // namespace mixer
