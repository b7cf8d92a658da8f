#include "skin/image_button.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "skin/png_button.h"
#include "widget_probe.h"

using namespace mixer;
using namespace skin_test;
using Face = CImageButton::Face;

namespace {

// A point on the key's face, clear of the caption.
const QPoint kFacePoint(6, 14);

QColor ImagePixel(int id, QPoint at) {
    return QImage(QStringLiteral(":/skin/%1.png").arg(id)).convertToFormat(QImage::Format_ARGB32).pixelColor(at);
}

bool HasDarkCaption(const QImage& shot) {
    return AnyPixel(shot, QRect(30, 6, 40, 16), [](const QColor& c) { return c.red() + c.green() + c.blue() < 60; });
}

bool HasWhiteCaption(const QImage& shot) {
    return AnyPixel(shot, QRect(30, 6, 40, 16),
                    [](const QColor& c) { return c.red() > 225 && c.green() > 225 && c.blue() > 225; });
}

class PaintCounter : public QObject {
public:
    explicit PaintCounter(int& paints) : paints_(paints) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints_;
        return false;
    }

private:
    int& paints_;
};

}  // namespace

TEST(ImageButton, SizeModesTakeTheirSizeFromTheUpImage) {
    QWidget page;
    page.resize(400, 300);
    CImageButton exact(&page);
    exact.setGeometry(40, 30, 77, 33);
    exact.SetSizeMode(CImageButton::kImageSize);
    exact.LoadImages(165, 166);
    EXPECT_EQ(exact.geometry(), QRect(40, 30, 100, 28));

    CImageButton half(&page);
    half.setGeometry(10, 20, 77, 33);
    half.SetSizeMode(CImageButton::kHalfImageSize);
    half.LoadImages(165, 166);
    EXPECT_EQ(half.geometry(), QRect(10, 20, 50, 14));

    CImageButton stretched(&page);
    stretched.setGeometry(5, 5, 100, 60);
    stretched.LoadImages(183, 184);
    EXPECT_EQ(stretched.geometry(), QRect(5, 5, 100, 60));
    EXPECT_EQ(stretched.ImageSize(), QSize(100, 60));
}

TEST(ImageButton, TwoStateShowsDownImageAndBlackCaptionWhateverTheMouse) {
    CImageButton button(QStringLiteral("MMM"), nullptr);
    button.resize(100, 28);
    button.SetCaptionSize(14);
    button.LoadImages(165, 166);

    QImage shot = Snapshot(button);
    EXPECT_EQ(button.CurrentFace(), Face::Up);
    EXPECT_EQ(shot.pixelColor(kFacePoint), ImagePixel(165, kFacePoint));
    EXPECT_TRUE(HasWhiteCaption(shot));
    EXPECT_FALSE(HasDarkCaption(shot));

    button.SetDown(true);
    Hover(button, true);
    shot = Snapshot(button);
    EXPECT_EQ(button.CurrentFace(), Face::Down);
    EXPECT_EQ(button.CurrentCaptionColour(), QColor(0, 0, 0));
    EXPECT_EQ(shot.pixelColor(kFacePoint), ImagePixel(166, kFacePoint));
    EXPECT_TRUE(HasDarkCaption(shot));
    EXPECT_FALSE(HasWhiteCaption(shot));

    Hover(button, false);
    EXPECT_EQ(button.CurrentFace(), Face::Down);
    button.SetDown(false);
    Hover(button, true);
    EXPECT_EQ(button.CurrentFace(), Face::Up);  // a two-state button ignores hovering

    button.SetCaptionColours(QColor(10, 200, 30), QColor(1, 2, 3));
    EXPECT_EQ(button.CurrentCaptionColour(), QColor(10, 200, 30));
}

TEST(ImageButton, PushButtonLightsWhileHoveredOrPressedUnlessStatic) {
    CImageButton button(QStringLiteral("OK"), nullptr);
    button.resize(100, 28);
    button.SetBehaviour(CImageButton::kPush);
    button.LoadImages(165, 166);
    EXPECT_EQ(button.CurrentFace(), Face::Up);
    Hover(button, true);
    EXPECT_TRUE(button.IsHovering());
    EXPECT_EQ(button.CurrentFace(), Face::Down);
    EXPECT_EQ(Snapshot(button).pixelColor(kFacePoint), ImagePixel(166, kFacePoint));
    Hover(button, false);
    EXPECT_EQ(button.CurrentFace(), Face::Up);
    EXPECT_EQ(Snapshot(button).pixelColor(kFacePoint), ImagePixel(165, kFacePoint));

    button.setDown(true);  // held by the mouse
    EXPECT_EQ(button.CurrentFace(), Face::Down);
    EXPECT_EQ(button.CurrentCaptionColour(), QColor(0, 0, 0));  // the caption goes with the image under it
    button.SetStaticLook(true);
    Hover(button, true);
    EXPECT_EQ(button.CurrentFace(), Face::Up);
}

TEST(ImageButton, UnknownBehaviourAndMissingImagesDrawOnlyTheCaption) {
    QWidget page;
    page.resize(200, 100);
    CImageButton button(QStringLiteral("MMM"), &page);
    button.setGeometry(12, 14, 90, 30);
    button.SetSizeMode(CImageButton::kImageSize);
    button.SetCaptionSize(14);
    button.LoadImages(9001, 9002);
    EXPECT_EQ(button.geometry(), QRect(12, 14, 90, 30));  // nothing to size by
    QImage shot = Snapshot(button);
    EXPECT_EQ(shot.pixelColor(kFacePoint), kUnder);
    EXPECT_TRUE(HasWhiteCaption(shot));

    button.LoadImages(165, 166);
    button.SetBehaviour(7);
    EXPECT_EQ(button.CurrentFace(), Face::None);
    EXPECT_EQ(Snapshot(button).pixelColor(kFacePoint), kUnder);
    button.SetShowCaption(false);
    EXPECT_FALSE(HasWhiteCaption(Snapshot(button)));
}

TEST(ImageButton, DoubleClickCountsAsTwoPresses) {
    CImageButton button(QStringLiteral("MUTE"), nullptr);
    button.resize(100, 28);
    QSignalSpy clicks(&button, &CImageButton::clicked);
    // What a widget receives for a double click: the second press arrives as the double click.
    const QPoint at(50, 14);
    Mouse(button, QEvent::MouseButtonPress, at);
    Mouse(button, QEvent::MouseButtonRelease, at);
    Mouse(button, QEvent::MouseButtonDblClick, at);
    Mouse(button, QEvent::MouseButtonRelease, at);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(ImageButton, PageOverviewDrawsLevelsAndMuteMarks) {
    CImageButton button(nullptr);
    button.resize(100, 60);
    button.LoadImages(183, 184);
    button.EnableOverview(true);
    button.SetOverviewBarCount(5);
    button.SetOverviewLevel(0, 186);
    button.SetOverviewLevel(2, 186);
    button.SetOverviewMute(2, true);
    button.SetOverviewLevel(3, 500);  // clamped to the top
    button.SetOverviewLevel(4, -3);
    button.SetOverviewLevel(9, 100);  // no such bar
    EXPECT_EQ(button.OverviewLevel(3), 186);
    EXPECT_EQ(button.OverviewLevel(4), 0);
    EXPECT_EQ(button.OverviewLevel(9), 0);

    const QImage shot = Snapshot(button);
    const QRect all = shot.rect();
    const QColor green(120, 220, 60), red(255, 45, 45), muted(90, 90, 90), muteMark(255, 40, 40);
    // Bars are 5 pixels wide: bars 0 and 3 are full, bar 2 is full but muted.
    EXPECT_EQ(ColumnsWith(shot, green, all), 10);
    EXPECT_EQ(ColumnsWith(shot, red, all), 10);
    EXPECT_EQ(ColumnsWith(shot, muted, all), 5);
    EXPECT_EQ(ColumnsWith(shot, muteMark, all), 5);

    button.EnableOverview(false);
    EXPECT_EQ(ColumnsWith(Snapshot(button), green, all), 0);
}

TEST(ImageButton, AnOverviewLevelThatMovesNoPixelRepaintsNothing) {
    CImageButton button(nullptr);
    button.resize(100, 60);  // bars 44 rows high: a row is some four levels
    button.LoadImages(183, 184);
    button.EnableOverview(true);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    int paints = 0;
    PaintCounter counter(paints);
    button.installEventFilter(&counter);
    const struct {
        int level;
        bool repaints;
    } steps[] = {{1, false}, {3, false}, {5, true}, {6, false}, {186, true}, {170, true}, {171, false}, {0, true}};
    for (const auto& step : steps) {
        QCoreApplication::processEvents();
        paints = 0;
        button.SetOverviewLevel(0, step.level);
        QCoreApplication::processEvents();
        EXPECT_EQ(paints > 0, step.repaints) << step.level;
        EXPECT_EQ(button.OverviewLevel(0), step.level);
    }
}

TEST(PngButton, FourStatesDrawTheirOwnColours) {
    PngButton button(QStringLiteral("SOLO"), nullptr);
    button.resize(80, 24);
    const auto frame = [&] { return Snapshot(button).pixelColor(0, 0); };
    EXPECT_EQ(button.CurrentState(), PngButton::State::Normal);
    EXPECT_EQ(frame(), QColor(200, 200, 250));
    Hover(button, true);
    EXPECT_EQ(button.CurrentState(), PngButton::State::Over);
    EXPECT_EQ(frame(), QColor(255, 255, 0));
    button.setDown(true);
    EXPECT_EQ(button.CurrentState(), PngButton::State::Down);
    EXPECT_EQ(frame(), QColor(0, 255, 255));
    Hover(button, false);
    EXPECT_EQ(button.CurrentState(), PngButton::State::Normal);
    button.setEnabled(false);
    EXPECT_EQ(button.CurrentState(), PngButton::State::Gray);
    button.SetColours(PngButton::State::Gray, {QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9)});
    EXPECT_EQ(frame(), QColor(1, 2, 3));
    EXPECT_EQ(Snapshot(button).pixelColor(3, 3), QColor(4, 5, 6));
}
