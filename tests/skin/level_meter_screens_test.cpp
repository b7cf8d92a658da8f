// A level meter whose window moves to a screen of another device pixel ratio
// paints its pictures again for that ratio. Runs on two offscreen screens,
// at 150 % and 100 % (two_screens.json).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "meter_picture_probe.h"

using namespace mixer;
using namespace skin_test;

TEST(LevelMeterPictures, FollowTheWindowToAScreenOfAnotherRatio) {
    const Look look = MixedLook();
    Windows windows(look);
    ASSERT_TRUE(windows.Exposed());
    QScreen* other = nullptr;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->devicePixelRatio() != windows.shown.devicePixelRatioF()) other = screen;
    }
    ASSERT_NE(other, nullptr) << "needs a second screen of another device pixel ratio (two_screens.json)";
    SetAll(*windows.meter, 40);
    ASSERT_EQ(windows.Difference(), "");
    for (Window* window : {&windows.shown, &windows.expected}) {
        window->windowHandle()->setScreen(other);
        window->move(other->geometry().topLeft() + QPoint(20, 20));
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(windows.shown.devicePixelRatioF(), other->devicePixelRatio());
    EXPECT_EQ(windows.Difference(), "");
    SetAll(*windows.meter, 18);
    EXPECT_EQ(windows.Difference(), "");
}
