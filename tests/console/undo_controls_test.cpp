// The undo and redo buttons and keys of the console window, driven as a user
// drives them: the mouse on the controls, keys where the focus is.

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "console/console_canvas.h"
#include "console/fake_link.h"
#include "console/input_strip_dlg.h"
#include "console/mixer_dlg.h"
#include "console/navigation_bar.h"
#include "host/app_context.h"
#include "pages/peq/peq_dlg.h"
#include "pages/peq/peq_edits.h"
#include "skin/bitmap_slider.h"
#include "skin/image_button.h"
#include "skin/skin_label.h"
#include "skin/text_field.h"

using namespace mixer;

namespace {

class UndoControls : public ::testing::Test {
protected:
    void SetUp() override {
        context.profileFile = dir.filePath("mixer-editor.ini");
        context.language = 1;
        window = std::make_unique<CMixerDlg>(context, link);
        window->resize(1680, 1050);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        link.GoOnline();
    }

    NavigationBar& Nav() { return window->Navigation(); }
    CInputStripDlg& Input(int channel) { return *static_cast<CInputStripDlg*>(window->Pages().inputs[channel]); }
    // Each input's step has ended before the next, as between a user's inputs.
    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
        QCoreApplication::processEvents();
    }
    static void Click(QWidget* control) {
        QTest::mouseClick(control, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    AppContext context;
    mixer::testing::FakeLink link;
    std::unique_ptr<CMixerDlg> window;
};

TEST_F(UndoControls, ButtonsAndKeysUndoAndRedoEachGestureWhereverTheFocusIsButNotInATextField) {
    EXPECT_FALSE(Nav().undo->isEnabled());
    EXPECT_EQ(Nav().redo->toolTip(), "Nothing to redo");
    // A fader drag on CH 3 that its control group repeats on CH 4 (VOL) is one step.
    Input(2).SetLinks({true, {2, 3}, 2, {1}});
    CBitmapSlider* fader = Input(2).Fader();
    const QPoint from = fader->ThumbRect().center();
    QTest::mousePress(fader, Qt::LeftButton, {}, from);
    for (int dy = 10; dy <= 60; dy += 10) QTest::mouseMove(fader, from - QPoint(0, dy));
    QTest::mouseRelease(fader, Qt::LeftButton, {}, from - QPoint(0, 60));
    const int dragged = context.state.strips[3].level;
    ASSERT_GT(dragged, 0);
    Click(Input(5).MuteButton());
    EXPECT_EQ(Nav().undo->toolTip(), "Undo CH 6 mute");
    context.model.Change([](MixerState& s) { s.strips[7].level = 33; }, Origin::Device);

    Input(0).Fader()->setFocus();
    Key(Qt::Key_Z);
    EXPECT_EQ(context.state.strips[5].mute, 0);
    EXPECT_EQ(Nav().undo->toolTip(), "Undo CH 3 fader");
    Click(Nav().undo);
    EXPECT_EQ(context.state.strips[3].level, 0);
    EXPECT_EQ(context.state.strips[7].level, 33);
    EXPECT_EQ(Nav().channelName->DisplayText(), "CH 3");
    EXPECT_EQ(Nav().valueBox1->text(), "-60dB");
    EXPECT_FALSE(Nav().undo->isEnabled());

    // In a value box the keys edit the text.
    Nav().valueBox1->setFocus();
    QTest::keyClicks(Nav().valueBox1, "5");
    Key(Qt::Key_Y);
    Key(Qt::Key_Z);
    EXPECT_EQ(Nav().valueBox1->text(), "-60dB");
    EXPECT_EQ(context.model.History().RedoCount(), 2u);

    window->Canvas()->setFocus();
    Key(Qt::Key_Y);
    EXPECT_EQ(context.state.strips[2].level, dragged);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(context.state.strips[5].mute, 1);
    window->ChooseLanguage(2);
    EXPECT_EQ(Nav().undo->toolTip(), "撤销 通道 6 静音");
}

TEST_F(UndoControls, TheEngagedMuteGroupAndBypassFollowTheirSteps) {
    context.groups.mute[0].inputs[1] = 1;
    Click(Nav().muteGroupButtons[0]);
    // Offline an undo changes the editor only.
    link.connected = false;
    const std::size_t sent = link.sent.size();
    Click(Nav().undo);
    EXPECT_EQ(link.sent.size(), sent);
    EXPECT_EQ(context.state.strips[1].mute, 0);
    EXPECT_FALSE(Nav().muteGroupButtons[0]->GetDown());
    Click(Nav().redo);
    EXPECT_TRUE(Nav().muteGroupButtons[0]->GetDown());

    context.model.Edit([](MixerState& s) { return WritePeqBandGain(s, 2, 1, 200); });
    window->OpenInputDetail(2, kModulePeq);
    auto& peq = *static_cast<CPeqDlg*>(window->Pages().peq);
    Click(peq.BypassButton());
    Click(Nav().undo);
    EXPECT_EQ(context.state.strips[2].peqBands[0].gain2, 200);
    EXPECT_FALSE(peq.BypassButton()->GetDown());
    Click(Nav().redo);
    EXPECT_EQ(context.state.strips[2].peqBands[0].gain2, kFlatGain);
    EXPECT_TRUE(peq.BypassButton()->GetDown());
    // Switched off, BYPASS gives back what the redo flattened.
    Click(peq.BypassButton());
    EXPECT_EQ(context.state.strips[2].peqBands[0].gain2, 200);
}

}  // namespace
